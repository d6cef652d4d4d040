/*********************************************************************
/*		my_Lamp2fsm.c
/*		FSM for my_Lamp2
/*********************************************************************
/**/

/* prototype declaration */
void init_my_Lamp2fsm( void );
void my_Lamp2fsm( unsigned char uc_event );
unsigned char get_my_Lamp2state( void );

/* ..static function */
static void my_Lamp2_on0at0( void ) ;
static void my_Lamp2_on1at0( void ) ;
static void my_Lamp2_on0at1( void ) ;
static void my_Lamp2_on1at1( void ) ;

/* static variable(s) */
static unsigned char my_Lamp2state = 0;	/* internal state */

/* vector table */
typedef void ( * pfn_drv )( void );
const pfn_drv stt_my_Lamp2[] = { /* go_On, stop2 */
	my_Lamp2_on0at0, my_Lamp2_on1at0, 	/* Idle */
	my_Lamp2_on0at1, my_Lamp2_on1at1	/* Busy_1 */
};

/* initialization function */
void init_my_Lamp2fsm( void ) {
	my_Lamp2state = 0;
	return;
}


/* FSM */
void my_Lamp2fsm( unsigned char uc_event ) {
	( *stt_my_Lamp2[ my_Lamp2state * 2/* event count */ + uc_event ] )();
	return;
}


/* get STATE function */
unsigned char get_my_Lamp2state( void ) {
	return my_Lamp2state;
}

/* state : Idle
/* event : go_On
/* next state : Busy_1
/**/
static void my_Lamp2_on0at0( void ) {
	my_Lamp2state = 1;
	Go();
	return;
}

/* state : Idle
/* event : stop2
/* next state : 
/**/
static void my_Lamp2_on1at0( void ) {
	/* not transit */
	return;
}

/* state : Busy_1
/* event : go_On
/* next state : 
/**/
static void my_Lamp2_on0at1( void ) {
	/* not transit */
	return;
}

/* state : Busy_1
/* event : stop2
/* next state : Idle
/**/
static void my_Lamp2_on1at1( void ) {
	my_Lamp2state = 0;
	Stop();
	return;
}

/* generated YYYY/MM/DD hh:mm:ss */
