/*********************************************************************
/*		Onefsm.h
/*		FSM for One
/*********************************************************************
/**/
#ifndef	__ONEFSM_H__
#define	__ONEFSM_H__

extern void init_Onefsm( void );
extern void Onefsm( unsigned char uc_event );
extern unsigned char get_Onestate( void );

/* State Definition */
#define	IDLE	0
#define	RUN	1

/* Event Definition */
#define	GO	0


#endif	/* __ONEFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
