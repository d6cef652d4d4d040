/*********************************************************************
/*		Emptyfsm.h
/*		FSM for Empty
/*********************************************************************
/**/
#ifndef	__EMPTYFSM_H__
#define	__EMPTYFSM_H__

extern void init_Emptyfsm( void );
extern void Emptyfsm( unsigned char uc_event );
extern unsigned char get_Emptystate( void );

/* State Definition */

/* Event Definition */
#define	PUSH	0
#define	TICK	1


#endif	/* __EMPTYFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
