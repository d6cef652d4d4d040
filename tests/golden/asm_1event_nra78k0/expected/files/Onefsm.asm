	name	n_Onefsm


	public	init_Onefsm
	public	Onefsm
	public	get_Onestate

ds_Onefsm	dseg	saddr
Onestate:	ds	1	; internal state

cs_Onefsm	cseg	unitp
stt_One:	; TICK
	dw	One_on0at0	; LOW
	dw	One_on0at1	; HIGH

init_Onefsm:
	mov	Onestate,#0
	ret

Onefsm:
	xch	a,x
	mov	a,Onestate
	xch	a,x
	clr1	cy
	rolc	a,1
	mov	b,a
	mov	a,#2	; #2 is offset of one-state.
	mulu	x
	movw	hl,ax
	mov	a,l
	add	a,b
	mov	l,a
	mov	a,h
	addc	a,#0
	mov	h,a
	mov	a,l
	mov	x,a
	mov	a,h
	addw	ax,#stt_One
	movw	hl,ax
	mov	a,[hl]
	mov	x,a
	mov	a,[hl+1]
	; alternative subroutine call
	br	ax

get_Onestate:
	mov	a,Onestate
	ret

; state : LOW
; event : TICK
; next state : HIGH
One_on0at0:
	mov	a,#1
	mov	Onestate,a
	call	!Up
	ret

; state : HIGH
; event : TICK
; next state : LOW
One_on0at1:
	mov	a,#0
	mov	Onestate,a
	call	!Down
	ret

	end

; generated YYYY/MM/DD hh:mm:ss
