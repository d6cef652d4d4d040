/*********************************************************************
/*		Singlefsm.h
/*		FSM for Single
/*********************************************************************
/**/
#ifndef	__SINGLEFSM_H__
#define	__SINGLEFSM_H__

extern void init_Singlefsm( void );
extern void Singlefsm( unsigned char uc_event );
extern unsigned char get_Singlestate( void );

/* State Definition */
#define	ONLY	0

/* Event Definition */
#define	X	0
#define	Y	1
#define	Z	2


#endif	/* __SINGLEFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
