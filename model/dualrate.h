#pragma once

struct ParameterSet;

// Rebuilds the four shown dual-rate values from the tables for the selected
// channel DrCh and switch position DrPosi. Leaves them alone when DrCh is not
// a channel index 0..3.
void selectDualRate(ParameterSet &p);

// Edits of the four shown dual-rate values, routed into the table member that
// DrCh (and DrPosi for the rate/expo boxes) selects, then selectDualRate().
void editDualRateUp(ParameterSet &p, int value);
void editDualRateDown(ParameterSet &p, int value);
void editDualRateRate(ParameterSet &p, int value);
void editDualRateExp(ParameterSet &p, int value);
