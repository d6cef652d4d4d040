	name	n_Emptyfsm

	public	init_Emptyfsm
	public	Emptyfsm
	public	get_Emptystate

ds_Emptyfsm	dseg	public
Emptystate:	rb	1	; internal state
ds_Emptyfsm	ends

cs_Emptyfsm	cseg	public
	&include empty.inc

stt_Empty:	; PUSH, TICK

init_Emptyfsm:
	mov	a,#0
	mov	Emptystate,a
	ret

Emptyfsm:
	movw	a,#0
	xch	a,t
	clrc
	rolc	a
	swap
	rolc	a
	swap
	pushw	a
	mov	a,Emptystate
	mov	a,#4	; #4 is offset of one-state.
	mulu	a
	xchw	a,t
	popw	a
	clrc
	addcw	a
	movw	a,#stt_Empty
	clrc
	addcw	a
	movw	ep,a
	movw	a,@ep
	; alternative subroutine call
	jmp	@a

get_Emptystate:
	mov	a,Emptystate
	ret

cs_Emptyfsm	ends
	end

; generated YYYY/MM/DD hh:mm:ss
