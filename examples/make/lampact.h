/* Action routines of the lamp machine, called by the generated lampfsm.c. */
#ifndef LAMPACT_H
#define LAMPACT_H

void LampOn(void);
void LampOff(void);

/* Number of times the lamp was switched on and off. */
extern int lamp_on_count;
extern int lamp_off_count;

#endif
