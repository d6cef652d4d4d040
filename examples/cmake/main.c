/* Drives the generated lamp machine with a fixed series of events and checks
 * the states it passes through. Exits with 0 when every step is as expected. */
#include <stdio.h>

#include "Lampfsm.h"
#include "lampact.h"

static const char* state_name(unsigned char state) {
    return state == OFF ? "OFF" : state == ON ? "ON" : "?";
}

int main(void) {
    static const struct {
        unsigned char event;
        const char* name;
        unsigned char expected;
    } steps[] = {
        {PUSH, "PUSH", ON}, {TICK, "TICK", ON}, {PUSH, "PUSH", OFF},
        {TICK, "TICK", OFF}, {PUSH, "PUSH", ON},
    };
    int failures = 0;
    unsigned i;

    init_Lampfsm();
    printf("start: %s\n", state_name(get_Lampstate()));
    for (i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        unsigned char state;
        Lampfsm(steps[i].event);
        state = get_Lampstate();
        printf("%s -> %s\n", steps[i].name, state_name(state));
        if (state != steps[i].expected) {
            printf("  expected %s\n", state_name(steps[i].expected));
            ++failures;
        }
    }
    if (lamp_on_count != 2 || lamp_off_count != 1) {
        printf("lamp switched on %d and off %d times, expected 2 and 1\n",
               lamp_on_count, lamp_off_count);
        ++failures;
    }
    puts(failures == 0 ? "lamp: ok" : "lamp: FAILED");
    return failures == 0 ? 0 : 1;
}
