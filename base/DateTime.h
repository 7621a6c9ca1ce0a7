// Date and time as a day count since 1899-12-30 00:00 with the time of day as the fraction,
// the form stored files carry their time stamps in.
#pragma once

namespace tarn {

// The day count of a civil date and time (proleptic Gregorian calendar). Dates before the
// epoch give negative day counts whose fraction still counts forward from midnight, as the
// stored form defines it.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond);

// The current local date and time.
double Now();

}  // namespace tarn
