/*********************************************************************
/*		Umlautfsm.c
/*		FSM for Umlaut
/*********************************************************************
/**/

/* prototype declaration */
void init_Umlautfsm( void );
void Umlautfsm( unsigned char uc_event );
unsigned char get_Umlautstate( void );

/* ..static function */
static void Umlaut_on0at0( void ) ;
static void Umlaut_on1at0( void ) ;
static void Umlaut_on0at1( void ) ;
static void Umlaut_on1at1( void ) ;

/* static variable(s) */
static unsigned char Umlautstate = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_Umlaut[] = { /* go_été, �nd */
	Umlaut_on0at0, Umlaut_on1at0, 	/* Zustand_ä */
	Umlaut_on0at1, Umlaut_on1at1	/* straße */
};

/* initialization function */
void init_Umlautfsm( void ) {
	Umlautstate = 0;
	return;
}


/* FSM */
void Umlautfsm( unsigned char uc_event ) {
	( *stt_Umlaut[ Umlautstate * 2/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_Umlautstate( void ) {
	return Umlautstate;
}

/* state : Zustand_ä
/* event : go_été
/* next state : straße
/**/
static void Umlaut_on0at0( void ) {
	Umlautstate = 1;
	schält();
	return;
}

/* state : Zustand_ä
/* event : �nd
/* next state : 
/**/
static void Umlaut_on1at0( void ) {
	/* not transit */
	return;
}

/* state : straße
/* event : go_été
/* next state : Zustand_ä
/**/
static void Umlaut_on0at1( void ) {
	Umlautstate = 0;
	/* nop */
	return;
}

/* state : straße
/* event : �nd
/* next state : 
/**/
static void Umlaut_on1at1( void ) {
	/* not transit */
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
