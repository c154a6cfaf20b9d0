#pragma once

// The result list's font size steps.
namespace ListFontSize {
int smaller(int n);   // above 10: 90 %, else one point less; never below 1
int larger(int n);    // from 10: 110 %, else one point more
}
