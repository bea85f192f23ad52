#pragma once

// Starts the operating system's system-information tool without waiting for it, or tells the
// user that none is available.
void StartSysInfo();
