; The Windows installer: per user (no administrator rights), a Start-menu shortcut and an
; uninstaller; no file associations. scripts/package-windows passes VERSION, STAGE (the folder
; holding the files to install) and OUTFILE.
Unicode true
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "Fragtide ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Fragtide"
InstallDirRegKey HKCU "Software\Fragtide\Install" "Folder"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Fragtide"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Fragtide"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\fragtide.exe"
    File "${STAGE}\fragtide-report.exe"
    File "${STAGE}\Fragtide.html"
    File "${STAGE}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Fragtide.lnk" "$INSTDIR\fragtide.exe"
    WriteRegStr HKCU "Software\Fragtide\Install" "Folder" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Fragtide"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\fragtide.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Fragtide.lnk"
    Delete "$INSTDIR\fragtide.exe"
    Delete "$INSTDIR\fragtide-report.exe"
    Delete "$INSTDIR\Fragtide.html"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Fragtide\Install"
    ; The selected game stays: it is the user's, and a new install picks it up again.
SectionEnd
