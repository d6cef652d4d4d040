/*********************************************************************
/*		Umlautfsm.h
/*		FSM for Umlaut
/*********************************************************************
/**/
#ifndef	__UMLAUTFSM_H__
#define	__UMLAUTFSM_H__

extern void init_Umlautfsm( void );
extern void Umlautfsm( unsigned char uc_event );
extern unsigned char get_Umlautstate( void );

/* State Definition */
#define	ZUSTAND_ä	0
#define	STRAßE	1

/* Event Definition */
#define	GO_éTé	0
#define	�ND	1


#endif	/* __UMLAUTFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
