// Wall-clock milliseconds for the benchmark's timings, from the performance counter.
#pragma once

double NowMs();
