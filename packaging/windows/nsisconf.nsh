; Read by makensis before any installer script: the installer itself is a
; 64-bit program, as the calculator is (a 32-bit one does nothing under a
; 64-bit-only Wine).
Target amd64-unicode
; The installer keeps no file times (installed files take the time of their
; installing), so that two builds of one commit give the same installer.
SetDateSave off
