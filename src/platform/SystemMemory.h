#pragma once

// Percentage of physical memory in use, 0..100; 0 when the system does not tell.
int MemoryLoadPercent();
