/*********************************************************************
/*		Emptyfsm.c
/*		FSM for Empty
/*********************************************************************
/**/
#include "empty.h"

/* prototype declaration */
void init_Emptyfsm( void );
void Emptyfsm( unsigned char uc_event );
unsigned char get_Emptystate( void );

/* ..static function */

/* static variable(s) */
static unsigned char Emptystate = 0;	/* internal state */

/* vector table */
typedef void ( * __far pfn_drv )( void );
const pfn_drv stt_Empty[] = { /* PUSH, TICK */
};

/* initialization function */
void init_Emptyfsm( void ) {
	Emptystate = 0;
	return;
}


/* FSM */
void Emptyfsm( unsigned char uc_event ) {
	( *stt_Empty[ Emptystate * 2/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Emptystate( void ) {
	return Emptystate;
}

/* generated YYYY/MM/DD hh:mm:ss */
