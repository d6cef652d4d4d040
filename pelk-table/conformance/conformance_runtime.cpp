#include "pelk-table/conformance/conformance_runtime.h"

namespace {

// The texts below are C89 as the test file holds it; @INIT@, @FSM@, @GET@
// and @ENTRY@ stand for the machine's routines and the entry point.
const char kHead[] = R"C(#ifdef PELKTEST_HOOKS
#include PELKTEST_HOOKS
#endif
#ifndef PELKTEST_PUTCHAR
int putchar( int c );
#define PELKTEST_PUTCHAR( c ) putchar( c )
#endif
#ifndef PELKTEST_END
#define PELKTEST_END( status ) ( ( void ) ( status ) )
#endif

/* The machine under test, as it declares itself. */
void @INIT@( void );
void @FSM@( unsigned char uc_event );
unsigned char @GET@( void );

/* Runs every test and writes TAP; 0 when all passed, else 1. */
int @ENTRY@( void );
)C";

const char kRecorder[] = R"C(
/* The run. */
static unsigned long pelktest_number;	/* of the last TAP line */
static unsigned long pelktest_passed;
static unsigned long pelktest_failed;
static unsigned long pelktest_test;	/* the test under way */
static unsigned char pelktest_state;	/* where the machine must be */
static unsigned char pelktest_known;	/* 1 while it is known to be there */

/* The calls of the step under way: the actions due, and the first call
 * that was not due. */
static unsigned long pelktest_due;
static unsigned int pelktest_dueCount;
static unsigned int pelktest_calls;
static unsigned int pelktest_wrongAt;
static unsigned int pelktest_wrongGot;
static unsigned char pelktest_wrong;

/* Every action stub reports its call here, as it happens. */
static void pelktest_called( unsigned int action ) {
	if ( !pelktest_wrong && ( pelktest_calls >= pelktest_dueCount
			|| pelktest_actions[ pelktest_due + pelktest_calls ] != action ) ) {
		pelktest_wrong = 1;
		pelktest_wrongAt = pelktest_calls;
		pelktest_wrongGot = action;
	}
	pelktest_calls++;
}
)C";

const char kRun[] = R"C(
static void pelktest_text( const char *text ) {
	while ( *text != '\0' ) {
		PELKTEST_PUTCHAR( *text );
		text++;
	}
}

/* Digit by digit from the first, with no buffer: RAM is scarce on a small target. */
static void pelktest_unsigned( unsigned long value ) {
	unsigned long power = 1;
	while ( value / power >= 10 )
		power *= 10;
	do {
		PELKTEST_PUTCHAR( ( char ) ( '0' + ( int ) ( value / power % 10 ) ) );
		power /= 10;
	} while ( power != 0 );
}

/* A state by its name and number; a number past the last state as #N. */
static void pelktest_putState( unsigned char state ) {
	if ( state < pelktest_states ) {
		pelktest_text( pelktest_stateName[ state ] );
		pelktest_text( " (" );
		pelktest_unsigned( state );
		pelktest_text( ")" );
	} else {
		pelktest_text( "#" );
		pelktest_unsigned( state );
	}
}

static void pelktest_putCell( unsigned int cell ) {
	pelktest_text( pelktest_stateName[ pelktest_cellState[ cell ] ] );
	pelktest_text( " on " );
	pelktest_text( pelktest_eventName[ pelktest_cellEvent[ cell ] ] );
}

/* The first count actions due, then the call that was not due. */
static void pelktest_putCalls( unsigned int count, unsigned char wrong ) {
	unsigned int i;
	if ( count == 0 && !wrong )
		pelktest_text( "none" );
	for ( i = 0; i != count; i++ ) {
		if ( i != 0 )
			pelktest_text( ", " );
		pelktest_text( pelktest_actionName[ pelktest_actions[ pelktest_due + i ] ] );
	}
	if ( wrong ) {
		if ( count != 0 )
			pelktest_text( ", " );
		pelktest_text( pelktest_actionName[ pelktest_wrongGot ] );
		if ( pelktest_calls > count + 1 )
			pelktest_text( ", ..." );
	}
}

/* The TAP line of the test under way: the cell it tests, or its scenario. */
static void pelktest_result( const char *result ) {
	pelktest_number++;
	pelktest_text( result );
	pelktest_unsigned( pelktest_number );
	pelktest_text( " - " );
	if ( pelktest_test >= pelktest_cellTests ) {
		pelktest_text( "scenario " );
		pelktest_text( pelktest_scenarioName[ pelktest_test - pelktest_cellTests ] );
	} else {
		pelktest_putCell( pelktest_steps[ pelktest_testEnd[ pelktest_test ] - 1 ] );
	}
	pelktest_text( "\n" );
}

/* The test under way fails: its line, then the notes; the machine is lost. */
static void pelktest_fail( void ) {
	pelktest_failed++;
	pelktest_known = 0;
	pelktest_result( "not ok " );
}

/* What the step under way did against what was due. */
static void pelktest_putStep( unsigned char expected, unsigned char got ) {
	pelktest_text( "\n#   expected: state " );
	pelktest_putState( expected );
	pelktest_text( ", actions " );
	pelktest_putCalls( pelktest_dueCount, 0 );
	pelktest_text( "\n#   got:      state " );
	pelktest_putState( got );
	pelktest_text( ", actions " );
	pelktest_putCalls( pelktest_wrong ? pelktest_wrongAt : pelktest_calls, pelktest_wrong );
	pelktest_text( " (" );
	pelktest_unsigned( pelktest_calls );
	pelktest_text( pelktest_calls == 1 ? " call)\n" : " calls)\n" );
}

/* init, and what must follow: state 0 and no action. */
static int pelktest_init( void ) {
	unsigned char got;
	pelktest_dueCount = 0;
	pelktest_calls = 0;
	pelktest_wrong = 0;
	@INIT@();
	got = @GET@();
	pelktest_state = 0;
	pelktest_known = 1;
	if ( got == 0 && pelktest_calls == 0 )
		return 1;
	pelktest_fail();
	pelktest_text( "#   after @INIT@():" );
	pelktest_putStep( 0, got );
	return 0;
}

/* Sends the event of a cell from the state the machine must be in, never
 * from another, and checks what follows; step is its number in the test,
 * 0 on the way back after a failure. 1 when all is as the table says. */
static int pelktest_send( unsigned long step, unsigned int cell ) {
	unsigned char got = @GET@();
	unsigned char expected = pelktest_cellNext[ cell ];
	if ( got != pelktest_state ) {
		pelktest_fail();
		pelktest_text( "#   the machine is in state " );
		pelktest_putState( got );
		pelktest_text( ", not in " );
		pelktest_putState( pelktest_state );
		pelktest_text( ": no event sent\n" );
		return 0;
	}
	pelktest_due = pelktest_cellActions[ cell ];
	pelktest_dueCount = ( unsigned int ) ( pelktest_cellActions[ cell + 1 ] - pelktest_due );
	pelktest_calls = 0;
	pelktest_wrong = 0;
	@FSM@( pelktest_cellEvent[ cell ] );
	got = @GET@();
	if ( got == expected && !pelktest_wrong && pelktest_calls == pelktest_dueCount ) {
		pelktest_state = expected;
		return 1;
	}
	pelktest_fail();
	if ( step == 0 ) {
		pelktest_text( "#   on the way back from state 0 after a failure, " );
	} else {
		pelktest_text( "#   step " );
		pelktest_unsigned( step );
		pelktest_text( ", " );
	}
	pelktest_putCell( cell );
	pelktest_text( ":" );
	pelktest_putStep( expected, got );
	return 0;
}

/* After a failure: init, then the shortest way from state 0 to target. */
static int pelktest_walkTo( unsigned char target ) {
	unsigned int cell;
	while ( pelktest_state != target ) {
		cell = pelktest_way[ target ];
		while ( pelktest_cellState[ cell ] != pelktest_state )
			cell = pelktest_way[ pelktest_cellState[ cell ] ];
		if ( !pelktest_send( 0, cell ) )
			return 0;
	}
	return 1;
}

/* The test under way, its steps from first to end; init first when the
 * tour says so, or after a failure, then the way back to where it starts. */
static void pelktest_run( unsigned long first, unsigned long end, unsigned char init ) {
	unsigned long step;
	if ( init || !pelktest_known ) {
		if ( !pelktest_init() )
			return;
		if ( first != end && !pelktest_walkTo( pelktest_cellState[ pelktest_steps[ first ] ] ) )
			return;
	}
	for ( step = first; step != end; step++ ) {
		if ( !pelktest_send( step - first + 1, pelktest_steps[ step ] ) )
			return;
	}
	pelktest_passed++;
	pelktest_result( "ok " );
	if ( first != end && pelktest_state >= pelktest_states ) {
		pelktest_text( "# the machine stores " );
		pelktest_unsigned( pelktest_state );
		pelktest_text( ", past its last state: re-initialised, since its next event would call past its vector table\n" );
	}
}

int @ENTRY@( void ) {
	unsigned long first = 0;
	unsigned long index = 0;
	unsigned int event;
	pelktest_number = 0;
	pelktest_passed = 0;
	pelktest_failed = 0;
	pelktest_known = 0;
	pelktest_text( "1.." );
	pelktest_unsigned( pelktest_tests + pelktest_unreachableCount * pelktest_events );
	pelktest_text( "\n" );
	/* index: the next test in pelktest_inits */
	for ( pelktest_test = 0; pelktest_test != pelktest_tests; pelktest_test++ ) {
		unsigned char planned = pelktest_inits[ index ] == pelktest_test;
		if ( planned )
			index++;
		pelktest_run( first, pelktest_testEnd[ pelktest_test ], planned );
		first = pelktest_testEnd[ pelktest_test ];
	}
	for ( index = 0; index != pelktest_unreachableCount; index++ ) {
		for ( event = 0; event != pelktest_events; event++ ) {
			pelktest_number++;
			pelktest_text( "ok " );
			pelktest_unsigned( pelktest_number );
			pelktest_text( " - " );
			pelktest_text( pelktest_stateName[ pelktest_unreachable[ index ] ] );
			pelktest_text( " on " );
			pelktest_text( pelktest_eventName[ event ] );
			pelktest_text( " # SKIP the state cannot be reached from state 0\n" );
		}
	}
	pelktest_unsigned( pelktest_passed );
	pelktest_text( " passed, " );
	pelktest_unsigned( pelktest_failed );
	pelktest_text( " failed" );
	if ( pelktest_unreachableCount != 0 ) {
		pelktest_text( ", " );
		pelktest_unsigned( pelktest_unreachableCount * pelktest_events );
		pelktest_text( " skipped" );
	}
	pelktest_text( "\n" );
	return pelktest_failed != 0;
}

#ifndef PELKTEST_NO_MAIN
int main( void ) {
	int status = @ENTRY@();
	PELKTEST_END( status );
	return status;
}
#endif
)C";

std::string substitute(std::string text, const std::string& machine, const std::string& entry) {
    const std::pair<const char*, std::string> names[] = {
        {"@INIT@", "init_" + machine + "fsm"},
        {"@FSM@", machine + "fsm"},
        {"@GET@", "get_" + machine + "state"},
        {"@ENTRY@", entry},
    };
    for (const auto& name : names) {
        const std::string mark = name.first;
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + name.second.size()))
            text.replace(at, mark.size(), name.second);
    }
    return text;
}

}  // namespace

std::string CConformanceRuntime::head(const std::string& machine, const std::string& entry) {
    return substitute(kHead, machine, entry);
}

std::string CConformanceRuntime::recorder() {
    return kRecorder;
}

std::string CConformanceRuntime::run(const std::string& machine, const std::string& entry) {
    return substitute(kRun, machine, entry);
}
