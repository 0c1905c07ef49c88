#pragma once

struct ParameterSet;

// Factory values for the members of the S and G frames, DrSw and the rate
// tables.
void restoreFactoryFirst(ParameterSet &p);
// Factory values for the rest of the H frame and the trims of the I frame.
void restoreFactorySecond(ParameterSet &p);
// Puts every member that is outside its valid range back to its fallback.
// Integer ranges are compared as unsigned 32-bit numbers, so a negative value
// is out of range wherever the range starts at 0.
void sanitizeParameters(ParameterSet &p);
