// The validator's checks, each reporting pass or fail with its figures.
#pragma once

#include "validator/Report.h"

void CheckOpen(Report& report);
void CheckStateRoundTrip(Report& report);
void CheckDamagedState(Report& report);
void CheckTraffic(Report& report);
void CheckCreateDestroy(Report& report);
void CheckManyClocks(Report& report);
void CheckThreadStress(Report& report);
