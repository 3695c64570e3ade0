// SPDX-License-Identifier: MIT
// Interrupts while a medium is written: the handlers only record the signal, and the writing
// stops where it looks, so nothing half written is left behind.
#pragma once

// SIGINT, SIGTERM and SIGHUP, without SA_RESTART so that a wait for a child ends at once.
void InstallInterruptHandlers();

// The signal that arrived, 0 while none has.
int Interrupted();
