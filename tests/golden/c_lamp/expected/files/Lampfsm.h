/*********************************************************************
/*		Lampfsm.h
/*		FSM for Lamp
/*********************************************************************
/**/
#ifndef	__LAMPFSM_H__
#define	__LAMPFSM_H__

extern void init_Lampfsm( void );
extern void Lampfsm( unsigned char uc_event );
extern unsigned char get_Lampstate( void );

/* State Definition */
#define	OFF	0
#define	ON	1

/* Event Definition */
#define	PUSH	0
#define	TICK	1


#endif	/* __LAMPFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
