	name	n_Doorfsm

	public	init_Doorfsm
	public	Doorfsm
	public	get_Doorstate

ds_Doorfsm	dseg	public
Doorstate:	rb	1	; internal state
ds_Doorfsm	ends

cs_Doorfsm	cseg	public

stt_Door:	; GO, STOP
	dw	Door_on0at0, Door_on1at0	; IDLE
	dw	Door_on0at1, Door_on1at1	; BUSY
	dw	Door_on0at2, Door_on1at2	; DONE

init_Doorfsm:
	mov	a,#0
	mov	Doorstate,a
	ret

Doorfsm:
	movw	a,#0
	xch	a,t
	clrc
	rolc	a
	swap
	rolc	a
	swap
	pushw	a
	mov	a,Doorstate
	mov	a,#4	; #4 is offset of one-state.
	mulu	a
	xchw	a,t
	popw	a
	clrc
	addcw	a
	movw	a,#stt_Door
	clrc
	addcw	a
	movw	ep,a
	movw	a,@ep
	; alternative subroutine call
	jmp	@a

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
	call	First
	; nop
	call	Second
	; nop
	ret

; state : BUSY
; event : GO
; next state :
Door_on0at1:
	mov	a,#7
	mov	Doorstate,a
	call	Far
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
	call	Reset
	ret

; state : DONE
; event : STOP
; next state :
Door_on1at2:
	; not transit
	; nop
	ret

cs_Doorfsm	ends
	end

; generated YYYY/MM/DD hh:mm:ss
