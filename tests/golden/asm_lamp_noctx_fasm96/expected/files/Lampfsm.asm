	name	n_Lampfsm

	public	init_Lampfsm
	public	Lampfsm
	public	get_Lampstate

ds_Lampfsm	dseg	public
Lampstate:	rb	1	; internal state
ds_Lampfsm	ends

cs_Lampfsm	cseg	public

stt_Lamp:	; PUSH, TICK
	dw	Lamp_on0at0, Lamp_on1at0	; OFF
	dw	Lamp_on0at1, Lamp_on1at1	; ON

init_Lampfsm:
	mov	a,#0
	mov	Lampstate,a
	ret

Lampfsm:
	movw	a,#0
	xch	a,t
	clrc
	rolc	a
	swap
	rolc	a
	swap
	pushw	a
	mov	a,Lampstate
	mov	a,#4	; #4 is offset of one-state.
	mulu	a
	xchw	a,t
	popw	a
	clrc
	addcw	a
	movw	a,#stt_Lamp
	clrc
	addcw	a
	movw	ep,a
	movw	a,@ep
	; alternative subroutine call
	jmp	@a

get_Lampstate:
	mov	a,Lampstate
	ret

; state : OFF
; event : PUSH
; next state : ON
Lamp_on0at0:
	mov	a,#1
	mov	Lampstate,a
	call	LampOn
	ret

; state : OFF
; event : TICK
; next state :
Lamp_on1at0:
	; not transit
	; nop
	ret

; state : ON
; event : PUSH
; next state : OFF
Lamp_on0at1:
	mov	a,#0
	mov	Lampstate,a
	call	LampOff
	ret

; state : ON
; event : TICK
; next state :
Lamp_on1at1:
	; not transit
	ret

cs_Lampfsm	ends
	end

; generated YYYY/MM/DD hh:mm:ss
