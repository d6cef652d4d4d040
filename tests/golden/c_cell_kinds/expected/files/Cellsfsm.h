/*********************************************************************
/*		Cellsfsm.h
/*		FSM for Cells
/*********************************************************************
/**/
#ifndef	__CELLSFSM_H__
#define	__CELLSFSM_H__

extern void init_Cellsfsm( void );
extern void Cellsfsm( unsigned char uc_event );
extern unsigned char get_Cellsstate( void );

/* State Definition */
#define	FIRST	0
#define	SECOND	1
#define	THIRD	2

/* Event Definition */
#define	GO	0
#define	STAY	1
#define	BACK	2


#endif	/* __CELLSFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
