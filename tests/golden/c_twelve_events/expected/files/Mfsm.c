/*********************************************************************
/*		Mfsm.c
/*		FSM for M
/*********************************************************************
/**/
#include "m.h"

/* prototype declaration */
void init_Mfsm( void );
void Mfsm( unsigned char uc_event );
unsigned char get_Mstate( void );

/* ..static function */
static void M_on0at0( void ) ;
static void M_on1at0( void ) ;
static void M_on2at0( void ) ;
static void M_on3at0( void ) ;
static void M_on4at0( void ) ;
static void M_on5at0( void ) ;
static void M_on6at0( void ) ;
static void M_on7at0( void ) ;
static void M_on8at0( void ) ;
static void M_on9at0( void ) ;
static void M_on10at0( void ) ;
static void M_on11at0( void ) ;
static void M_on0at1( void ) ;
static void M_on1at1( void ) ;
static void M_on2at1( void ) ;
static void M_on3at1( void ) ;
static void M_on4at1( void ) ;
static void M_on5at1( void ) ;
static void M_on6at1( void ) ;
static void M_on7at1( void ) ;
static void M_on8at1( void ) ;
static void M_on9at1( void ) ;
static void M_on10at1( void ) ;
static void M_on11at1( void ) ;
static void M_on0at2( void ) ;
static void M_on1at2( void ) ;
static void M_on2at2( void ) ;
static void M_on3at2( void ) ;
static void M_on4at2( void ) ;
static void M_on5at2( void ) ;
static void M_on6at2( void ) ;
static void M_on7at2( void ) ;
static void M_on8at2( void ) ;
static void M_on9at2( void ) ;
static void M_on10at2( void ) ;
static void M_on11at2( void ) ;

/* static variable(s) */
static unsigned char Mstate = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_M[] = { /* E0, E1, E2, E3, E4, E5, E6, E7, E8, E9, E10, E11 */
	M_on0at0, M_on1at0, M_on2at0, M_on3at0, M_on4at0, M_on5at0, M_on6at0, M_on7at0, M_on8at0, M_on9at0, M_on10at0, M_on11at0, 	/* A */
	M_on0at1, M_on1at1, M_on2at1, M_on3at1, M_on4at1, M_on5at1, M_on6at1, M_on7at1, M_on8at1, M_on9at1, M_on10at1, M_on11at1, 	/* B */
	M_on0at2, M_on1at2, M_on2at2, M_on3at2, M_on4at2, M_on5at2, M_on6at2, M_on7at2, M_on8at2, M_on9at2, M_on10at2, M_on11at2	/* C */
};

/* initialization function */
void init_Mfsm( void ) {
	Mstate = 0;
	return;
}


/* FSM */
void Mfsm( unsigned char uc_event ) {
	( *stt_M[ Mstate * 12/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Mstate( void ) {
	return Mstate;
}

/* state : A
/* event : E0
/* next state : B
/**/
static void M_on0at0( void ) {
	Mstate = 1;
	a0();
	return;
}

/* state : A
/* event : E1
/* next state : 
/**/
static void M_on1at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E2
/* next state : 
/**/
static void M_on2at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E3
/* next state : 
/**/
static void M_on3at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E4
/* next state : 
/**/
static void M_on4at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E5
/* next state : 
/**/
static void M_on5at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E6
/* next state : 
/**/
static void M_on6at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E7
/* next state : 
/**/
static void M_on7at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E8
/* next state : 
/**/
static void M_on8at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E9
/* next state : 
/**/
static void M_on9at0( void ) {
	/* not transit */
	return;
}

/* state : A
/* event : E10
/* next state : C
/**/
static void M_on10at0( void ) {
	Mstate = 2;
	a10();
	return;
}

/* state : A
/* event : E11
/* next state : 
/**/
static void M_on11at0( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E0
/* next state : 
/**/
static void M_on0at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E1
/* next state : 
/**/
static void M_on1at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E2
/* next state : 
/**/
static void M_on2at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E3
/* next state : 
/**/
static void M_on3at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E4
/* next state : 
/**/
static void M_on4at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E5
/* next state : 
/**/
static void M_on5at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E6
/* next state : 
/**/
static void M_on6at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E7
/* next state : 
/**/
static void M_on7at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E8
/* next state : 
/**/
static void M_on8at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E9
/* next state : 
/**/
static void M_on9at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E10
/* next state : 
/**/
static void M_on10at1( void ) {
	/* not transit */
	return;
}

/* state : B
/* event : E11
/* next state : A
/**/
static void M_on11at1( void ) {
	Mstate = 0;
	a11();
	return;
}

/* state : C
/* event : E0
/* next state : 
/**/
static void M_on0at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E1
/* next state : 
/**/
static void M_on1at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E2
/* next state : 
/**/
static void M_on2at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E3
/* next state : 
/**/
static void M_on3at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E4
/* next state : 
/**/
static void M_on4at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E5
/* next state : 
/**/
static void M_on5at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E6
/* next state : 
/**/
static void M_on6at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E7
/* next state : 
/**/
static void M_on7at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E8
/* next state : 
/**/
static void M_on8at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E9
/* next state : 
/**/
static void M_on9at2( void ) {
	/* not transit */
	return;
}

/* state : C
/* event : E10
/* next state : B
/**/
static void M_on10at2( void ) {
	Mstate = 1;
	a10();
	a11();
	return;
}

/* state : C
/* event : E11
/* next state : 
/**/
static void M_on11at2( void ) {
	/* not transit */
	a11();
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
