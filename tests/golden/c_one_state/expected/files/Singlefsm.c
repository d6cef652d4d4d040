/*********************************************************************
/*		Singlefsm.c
/*		FSM for Single
/*********************************************************************
/**/
#include "single.h"

/* prototype declaration */
void init_Singlefsm( void );
void Singlefsm( unsigned char uc_event );
unsigned char get_Singlestate( void );

/* ..static function */
static void Single_on0at0( void ) ;
static void Single_on1at0( void ) ;
static void Single_on2at0( void ) ;

/* static variable(s) */
static unsigned char Singlestate = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_Single[] = { /* X, Y, Z */
	Single_on0at0, Single_on1at0, Single_on2at0	/* Only */
};

/* initialization function */
void init_Singlefsm( void ) {
	Singlestate = 0;
	return;
}


/* FSM */
void Singlefsm( unsigned char uc_event ) {
	( *stt_Single[ Singlestate * 3/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Singlestate( void ) {
	return Singlestate;
}

/* state : Only
/* event : X
/* next state : Only
/**/
static void Single_on0at0( void ) {
	Singlestate = 0;
	x();
	return;
}

/* state : Only
/* event : Y
/* next state : 
/**/
static void Single_on1at0( void ) {
	/* not transit */
	y();
	return;
}

/* state : Only
/* event : Z
/* next state : 
/**/
static void Single_on2at0( void ) {
	/* not transit */
	z();
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
