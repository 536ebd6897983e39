#pragma once
// The release's version, in one place: the resource script, the about window, the update
// check and scripts/release (which reads the number from the line below) all take it from here.
#define KESTOVA_VERSION 2009

#define KESTOVA_TEXT_OF2(x) #x
#define KESTOVA_TEXT_OF(x) KESTOVA_TEXT_OF2(x)
#define KESTOVA_VERSION_TEXT KESTOVA_TEXT_OF(KESTOVA_VERSION)
