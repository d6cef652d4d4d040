	name	n_Mfsm


	public	init_Mfsm
	public	Mfsm
	public	get_Mstate

ds_Mfsm	dseg	saddr
Mstate:	ds	1	; internal state

cs_Mfsm	cseg	unitp
stt_M:	; E0, E1, E2, E3, E4, E5, E6, E7, E8, E9, E10, E11
	dw	M_on0at0, M_on1at0, M_on2at0, M_on3at0, M_on4at0, M_on5at0, M_on6at0, M_on7at0, M_on8at0, M_on9at0, M_on10at0, M_on11at0	; S0
	dw	M_on0at1, M_on1at1, M_on2at1, M_on3at1, M_on4at1, M_on5at1, M_on6at1, M_on7at1, M_on8at1, M_on9at1, M_on10at1, M_on11at1	; S1
	dw	M_on0at2, M_on1at2, M_on2at2, M_on3at2, M_on4at2, M_on5at2, M_on6at2, M_on7at2, M_on8at2, M_on9at2, M_on10at2, M_on11at2	; S2

init_Mfsm:
	mov	Mstate,#0
	ret

Mfsm:
	xch	a,x
	mov	a,Mstate
	xch	a,x
	clr1	cy
	rolc	a,1
	mov	b,a
	mov	a,#24	; #24 is offset of one-state.
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
	addw	ax,#stt_M
	movw	hl,ax
	mov	a,[hl]
	mov	x,a
	mov	a,[hl+1]
	; alternative subroutine call
	br	ax

get_Mstate:
	mov	a,Mstate
	ret

; state : S0
; event : E0
; next state :
M_on0at0:
	; not transit
	ret

; state : S0
; event : E1
; next state :
M_on1at0:
	; not transit
	ret

; state : S0
; event : E2
; next state :
M_on2at0:
	; not transit
	ret

; state : S0
; event : E3
; next state :
M_on3at0:
	; not transit
	ret

; state : S0
; event : E4
; next state :
M_on4at0:
	; not transit
	ret

; state : S0
; event : E5
; next state :
M_on5at0:
	; not transit
	ret

; state : S0
; event : E6
; next state :
M_on6at0:
	; not transit
	ret

; state : S0
; event : E7
; next state :
M_on7at0:
	; not transit
	ret

; state : S0
; event : E8
; next state :
M_on8at0:
	; not transit
	ret

; state : S0
; event : E9
; next state :
M_on9at0:
	; not transit
	ret

; state : S0
; event : E10
; next state : S1
M_on10at0:
	mov	a,#1
	mov	Mstate,a
	call	!Act10
	ret

; state : S0
; event : E11
; next state :
M_on11at0:
	; not transit
	ret

; state : S1
; event : E0
; next state :
M_on0at1:
	; not transit
	ret

; state : S1
; event : E1
; next state :
M_on1at1:
	; not transit
	ret

; state : S1
; event : E2
; next state :
M_on2at1:
	; not transit
	ret

; state : S1
; event : E3
; next state :
M_on3at1:
	; not transit
	ret

; state : S1
; event : E4
; next state :
M_on4at1:
	; not transit
	ret

; state : S1
; event : E5
; next state :
M_on5at1:
	; not transit
	ret

; state : S1
; event : E6
; next state :
M_on6at1:
	; not transit
	ret

; state : S1
; event : E7
; next state :
M_on7at1:
	; not transit
	ret

; state : S1
; event : E8
; next state :
M_on8at1:
	; not transit
	ret

; state : S1
; event : E9
; next state :
M_on9at1:
	; not transit
	ret

; state : S1
; event : E10
; next state : S2
M_on10at1:
	mov	a,#2
	mov	Mstate,a
	call	!Act10
	ret

; state : S1
; event : E11
; next state :
M_on11at1:
	; not transit
	ret

; state : S2
; event : E0
; next state :
M_on0at2:
	; not transit
	ret

; state : S2
; event : E1
; next state :
M_on1at2:
	; not transit
	ret

; state : S2
; event : E2
; next state :
M_on2at2:
	; not transit
	ret

; state : S2
; event : E3
; next state :
M_on3at2:
	; not transit
	ret

; state : S2
; event : E4
; next state :
M_on4at2:
	; not transit
	ret

; state : S2
; event : E5
; next state :
M_on5at2:
	; not transit
	ret

; state : S2
; event : E6
; next state :
M_on6at2:
	; not transit
	ret

; state : S2
; event : E7
; next state :
M_on7at2:
	; not transit
	ret

; state : S2
; event : E8
; next state :
M_on8at2:
	; not transit
	ret

; state : S2
; event : E9
; next state :
M_on9at2:
	; not transit
	ret

; state : S2
; event : E10
; next state : S0
M_on10at2:
	mov	a,#0
	mov	Mstate,a
	call	!Act10
	ret

; state : S2
; event : E11
; next state :
M_on11at2:
	; not transit
	ret

	end

; generated YYYY/MM/DD hh:mm:ss
