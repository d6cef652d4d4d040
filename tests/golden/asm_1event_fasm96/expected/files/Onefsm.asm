	name	n_Onefsm

	public	init_Onefsm
	public	Onefsm
	public	get_Onestate

ds_Onefsm	dseg	public
Onestate:	rb	1	; internal state
ds_Onefsm	ends

cs_Onefsm	cseg	public

stt_One:	; TICK
	dw	One_on0at0	; LOW
	dw	One_on0at1	; HIGH

init_Onefsm:
	mov	a,#0
	mov	Onestate,a
	ret

Onefsm:
	movw	a,#0
	xch	a,t
	clrc
	rolc	a
	swap
	rolc	a
	swap
	pushw	a
	mov	a,Onestate
	mov	a,#2	; #2 is offset of one-state.
	mulu	a
	xchw	a,t
	popw	a
	clrc
	addcw	a
	movw	a,#stt_One
	clrc
	addcw	a
	movw	ep,a
	movw	a,@ep
	; alternative subroutine call
	jmp	@a

get_Onestate:
	mov	a,Onestate
	ret

; state : LOW
; event : TICK
; next state : HIGH
One_on0at0:
	mov	a,#1
	mov	Onestate,a
	call	Up
	ret

; state : HIGH
; event : TICK
; next state : LOW
One_on0at1:
	mov	a,#0
	mov	Onestate,a
	call	Down
	ret

cs_Onefsm	ends
	end

; generated YYYY/MM/DD hh:mm:ss
