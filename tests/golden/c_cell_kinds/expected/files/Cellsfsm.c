/*********************************************************************
/*		Cellsfsm.c
/*		FSM for Cells
/*********************************************************************
/**/
#include "cells.h"

/* prototype declaration */
void init_Cellsfsm( void );
void Cellsfsm( unsigned char uc_event );
unsigned char get_Cellsstate( void );

/* ..static function */
static void Cells_on0at0( void ) ;
static void Cells_on1at0( void ) ;
static void Cells_on2at0( void ) ;
static void Cells_on0at1( void ) ;
static void Cells_on1at1( void ) ;
static void Cells_on2at1( void ) ;
static void Cells_on0at2( void ) ;
static void Cells_on1at2( void ) ;
static void Cells_on2at2( void ) ;

/* static variable(s) */
static unsigned char Cellsstate = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_Cells[] = { /* GO, STAY, BACK */
	Cells_on0at0, Cells_on1at0, Cells_on2at0, 	/* First */
	Cells_on0at1, Cells_on1at1, Cells_on2at1, 	/* Second */
	Cells_on0at2, Cells_on1at2, Cells_on2at2	/* Third */
};

/* initialization function */
void init_Cellsfsm( void ) {
	Cellsstate = 0;
	return;
}


/* FSM */
void Cellsfsm( unsigned char uc_event ) {
	( *stt_Cells[ Cellsstate * 3/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Cellsstate( void ) {
	return Cellsstate;
}

/* state : First
/* event : GO
/* next state : Second
/**/
static void Cells_on0at0( void ) {
	Cellsstate = 1;
	/* nop */
	Enter();
	/* nop */
	return;
}

/* state : First
/* event : STAY
/* next state : 
/**/
static void Cells_on1at0( void ) {
	/* not transit */
	return;
}

/* state : First
/* event : BACK
/* next state : First
/**/
static void Cells_on2at0( void ) {
	Cellsstate = 0;
	Clear();
	return;
}

/* state : Second
/* event : GO
/* next state : Third
/**/
static void Cells_on0at1( void ) {
	Cellsstate = 2;
	Leave();
	/* nop */
	Enter();
	/* nop */
	return;
}

/* state : Second
/* event : STAY
/* next state : 
/**/
static void Cells_on1at1( void ) {
	/* not transit */
	/* nop */
	return;
}

/* state : Second
/* event : BACK
/* next state : First
/**/
static void Cells_on2at1( void ) {
	Cellsstate = 0;
	return;
}

/* state : Third
/* event : GO
/* next state : 
/**/
static void Cells_on0at2( void ) {
	Cellsstate = 9;
	Wrap();
	return;
}

/* state : Third
/* event : STAY
/* next state : 
/**/
static void Cells_on1at2( void ) {
	/* not transit */
	return;
}

/* state : Third
/* event : BACK
/* next state : First
/**/
static void Cells_on2at2( void ) {
	Cellsstate = 0;
	/* nop */
	Clear();
	/* nop */
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
