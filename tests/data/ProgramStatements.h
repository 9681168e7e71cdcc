#pragma once
// The program's statements on its three tables, written exactly as its windows and reports write
// them, run on any open connection. Keys carry a tag of their own, so that tests sharing one server
// database do not see each other's rows.

#include "data/Database.h"

// Runs every statement, checks what comes back, and removes the rows it added.
void ExpectProgramStatementsWork(const Database& db);
