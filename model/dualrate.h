#pragma once

struct ParameterSet;

// A value the window shows of the dual-rate tables: the entry of the
// selected channel DrCh, and for a view of both tables (rate and expo on the
// curve page) the one of the selected switch position DrPosi, 0 UP.
struct DualRateView
{
    int ParameterSet::*shown;
    int (ParameterSet::*up)[4];
    int (ParameterSet::*down)[4]; // nullptr: it always shows up
};

// The view that member is, or nullptr.
const DualRateView *dualRateView(int ParameterSet::*member);
// The table the view shows in p.
int (ParameterSet::*dualRateTable(const DualRateView &view, const ParameterSet &p))[4];

// Rebuilds the four shown dual-rate values from the tables for the selected
// channel DrCh and switch position DrPosi. Leaves them alone when DrCh is not
// a channel index 0..3.
void selectDualRate(ParameterSet &p);

// An edit of a shown value: routed into the table entry it shows, then
// selectDualRate().
void editDualRate(ParameterSet &p, const DualRateView &view, int value);
