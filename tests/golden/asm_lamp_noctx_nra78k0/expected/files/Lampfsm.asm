	name	n_Lampfsm


	public	init_Lampfsm
	public	Lampfsm
	public	get_Lampstate

ds_Lampfsm	dseg	saddr
Lampstate:	ds	1	; internal state

cs_Lampfsm	cseg	unitp
stt_Lamp:	; PUSH, TICK
	dw	Lamp_on0at0, Lamp_on1at0	; OFF
	dw	Lamp_on0at1, Lamp_on1at1	; ON

init_Lampfsm:
	mov	Lampstate,#0
	ret

Lampfsm:
	xch	a,x
	mov	a,Lampstate
	xch	a,x
	clr1	cy
	rolc	a,1
	mov	b,a
	mov	a,#4	; #4 is offset of one-state.
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
	addw	ax,#stt_Lamp
	movw	hl,ax
	mov	a,[hl]
	mov	x,a
	mov	a,[hl+1]
	; alternative subroutine call
	br	ax

get_Lampstate:
	mov	a,Lampstate
	ret

; state : OFF
; event : PUSH
; next state : ON
Lamp_on0at0:
	mov	a,#1
	mov	Lampstate,a
	call	!LampOn
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
	call	!LampOff
	ret

; state : ON
; event : TICK
; next state :
Lamp_on1at1:
	; not transit
	ret

	end

; generated YYYY/MM/DD hh:mm:ss
