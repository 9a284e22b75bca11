#pragma once
// What the run-time knows of the system locale.

struct TSysLocale {
  // A far-east (double-byte) system locale: text may break between any two
  // full-width characters.
  bool FarEast = false;
};

// Read when the run-time starts.
const TSysLocale& SysLocale();
// Reads the record from the system: FarEast follows SM_DBCSENABLED, which
// this system answers with 0.
void InitSysLocale();
// Test switch: FarEast as given until the record is read again or switched
// back.
void SetSysLocaleFarEast(bool AFarEast);
