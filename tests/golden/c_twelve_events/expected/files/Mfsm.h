/*********************************************************************
/*		Mfsm.h
/*		FSM for M
/*********************************************************************
/**/
#ifndef	__MFSM_H__
#define	__MFSM_H__

extern void init_Mfsm( void );
extern void Mfsm( unsigned char uc_event );
extern unsigned char get_Mstate( void );

/* State Definition */
#define	A	0
#define	B	1
#define	C	2

/* Event Definition */
#define	E0	0
#define	E1	1
#define	E2	2
#define	E3	3
#define	E4	4
#define	E5	5
#define	E6	6
#define	E7	7
#define	E8	8
#define	E9	9
#define	E10	10
#define	E11	11


#endif	/* __MFSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
