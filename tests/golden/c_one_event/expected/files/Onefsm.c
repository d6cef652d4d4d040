/*********************************************************************
/*		Onefsm.c
/*		FSM for One
/*********************************************************************
/**/
#include "one.h"

/* prototype declaration */
void init_Onefsm( void );
void Onefsm( unsigned char uc_event );
unsigned char get_Onestate( void );

/* ..static function */
static void One_on0at0( void ) ;
static void One_on0at1( void ) ;

/* static variable(s) */
static unsigned char Onestate = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_One[] = { /* GO */
	One_on0at0, 	/* Idle */
	One_on0at1	/* Run */
};

/* initialization function */
void init_Onefsm( void ) {
	Onestate = 0;
	return;
}


/* FSM */
void Onefsm( unsigned char uc_event ) {
	( *stt_One[ Onestate * 1/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Onestate( void ) {
	return Onestate;
}

/* state : Idle
/* event : GO
/* next state : Run
/**/
static void One_on0at0( void ) {
	Onestate = 1;
	start();
	return;
}

/* state : Run
/* event : GO
/* next state : Idle
/**/
static void One_on0at1( void ) {
	Onestate = 0;
	stop();
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
