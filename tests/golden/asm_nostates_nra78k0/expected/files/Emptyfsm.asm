	name	n_Emptyfsm

	$include( empty.inc ) 

	public	init_Emptyfsm
	public	Emptyfsm
	public	get_Emptystate

ds_Emptyfsm	dseg	saddr
Emptystate:	ds	1	; internal state

cs_Emptyfsm	cseg	unitp
stt_Empty:	; PUSH, TICK

init_Emptyfsm:
	mov	Emptystate,#0
	ret

Emptyfsm:
	xch	a,x
	mov	a,Emptystate
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
	addw	ax,#stt_Empty
	movw	hl,ax
	mov	a,[hl]
	mov	x,a
	mov	a,[hl+1]
	; alternative subroutine call
	br	ax

get_Emptystate:
	mov	a,Emptystate
	ret

	end

; generated YYYY/MM/DD hh:mm:ss
