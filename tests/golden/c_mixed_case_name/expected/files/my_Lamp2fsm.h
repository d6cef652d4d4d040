/*********************************************************************
/*		my_Lamp2fsm.h
/*		FSM for my_Lamp2
/*********************************************************************
/**/
#ifndef	__MY_LAMP2FSM_H__
#define	__MY_LAMP2FSM_H__

extern void init_my_Lamp2fsm( void );
extern void my_Lamp2fsm( unsigned char uc_event );
extern unsigned char get_my_Lamp2state( void );

/* State Definition */
#define	IDLE	0
#define	BUSY_1	1

/* Event Definition */
#define	GO_ON	0
#define	STOP2	1


#endif	/* __MY_LAMP2FSM_H__ */
/* generated YYYY/MM/DD hh:mm:ss */
