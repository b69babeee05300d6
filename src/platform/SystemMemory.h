#pragma once

// Percentage of physical memory in use, 0..100; 0 when the system does not tell.
int MemoryLoadPercent();

// For a process that builds its data at once and then ends (vemora-cli): the heap grows in steps
// of tens of MiB, which the kernel may back with huge pages, one page fault per 2 MiB instead of
// one per 4 KiB. Memory freed is kept for reuse rather than given back. Call before anything
// large is allocated; without huge pages it only saves the heap's many small growths.
void UseLargeHeapSteps();
