#pragma once

// The numbers the sequencer keeps in "State", "ProgressDlgState", "PendingReboot" and
// "PendingRebootSuppressed". A value never written reads as 0, which matches none of them.
enum SequencerState : int {
    STATE_CHECK = 1000,
    STATE_INSTALL = 1001,
    STATE_UNINSTALL = 1002,
    STATE_REPAIR = 1003,
    STATE_NO_PENDING_REBOOT = 2000,
    STATE_PENDING_REBOOT = 2001,
    STATE_PENDING_REBOOT_SUPPRESSED = 2002,
    STATE_PENDING_REBOOT_NOT_SUPPRESSED = 2003,
};
