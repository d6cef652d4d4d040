	name	n_Doorfsm


	public	init_Doorfsm
	public	Doorfsm
	public	get_Doorstate

ds_Doorfsm	dseg	saddr
Doorstate:	ds	1	; internal state

cs_Doorfsm	cseg	unitp
stt_Door:	; GO, STOP
	dw	Door_on0at0, Door_on1at0	; IDLE
	dw	Door_on0at1, Door_on1at1	; BUSY
	dw	Door_on0at2, Door_on1at2	; DONE

init_Doorfsm:
	mov	Doorstate,#0
	ret

Doorfsm:
	xch	a,x
	mov	a,Doorstate
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
	addw	ax,#stt_Door
	movw	hl,ax
	mov	a,[hl]
	mov	x,a
	mov	a,[hl+1]
	; alternative subroutine call
	br	ax

get_Doorstate:
	mov	a,Doorstate
	ret

; state : IDLE
; event : GO
; next state :
Door_on0at0:
	; not transit
	ret

; state : IDLE
; event : STOP
; next state : IDLE
Door_on1at0:
	mov	a,#0
	mov	Doorstate,a
	call	!First
	; nop
	call	!Second
	; nop
	ret

; state : BUSY
; event : GO
; next state :
Door_on0at1:
	mov	a,#7
	mov	Doorstate,a
	call	!Far
	ret

; state : BUSY
; event : STOP
; next state :
Door_on1at1:
	; not transit
	ret

; state : DONE
; event : GO
; next state : IDLE
Door_on0at2:
	mov	a,#0
	mov	Doorstate,a
	call	!Reset
	ret

; state : DONE
; event : STOP
; next state :
Door_on1at2:
	; not transit
	; nop
	ret

	end

; generated YYYY/MM/DD hh:mm:ss
