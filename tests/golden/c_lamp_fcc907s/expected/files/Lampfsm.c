/*********************************************************************
/*		Lampfsm.c
/*		FSM for Lamp
/*********************************************************************
/**/
#include "lampact.h"

/* prototype declaration */
void init_Lampfsm( void );
void Lampfsm( unsigned char uc_event );
unsigned char get_Lampstate( void );

/* ..static function */
static void Lamp_on0at0( void ) ;
static void Lamp_on1at0( void ) ;
static void Lamp_on0at1( void ) ;
static void Lamp_on1at1( void ) ;

/* static variable(s) */
static unsigned char Lampstate = 0;	/* internal state */

/* vector table */
typedef void ( * __far pfn_drv )( void );
const pfn_drv stt_Lamp[] = { /* PUSH, TICK */
	Lamp_on0at0, Lamp_on1at0, 	/* OFF */
	Lamp_on0at1, Lamp_on1at1	/* ON */
};

/* initialization function */
void init_Lampfsm( void ) {
	Lampstate = 0;
	return;
}


/* FSM */
void Lampfsm( unsigned char uc_event ) {
	( *stt_Lamp[ Lampstate * 2/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Lampstate( void ) {
	return Lampstate;
}

/* state : OFF
/* event : PUSH
/* next state : ON
/**/
static void Lamp_on0at0( void ) {
	Lampstate = 1;
	LampOn();
	return;
}

/* state : OFF
/* event : TICK
/* next state : 
/**/
static void Lamp_on1at0( void ) {
	/* not transit */
	/* nop */
	return;
}

/* state : ON
/* event : PUSH
/* next state : OFF
/**/
static void Lamp_on0at1( void ) {
	Lampstate = 0;
	LampOff();
	return;
}

/* state : ON
/* event : TICK
/* next state : 
/**/
static void Lamp_on1at1( void ) {
	/* not transit */
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
