/* Action routines of the lamp machine. On a board these would drive a port
 * pin; here they report what they do. */
#include <stdio.h>

#include "lampact.h"

int lamp_on_count = 0;
int lamp_off_count = 0;

void LampOn(void) {
    ++lamp_on_count;
    puts("  action: lamp on");
}

void LampOff(void) {
    ++lamp_off_count;
    puts("  action: lamp off");
}
