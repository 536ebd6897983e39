; Kestova's installer: per user, no elevation, English. scripts/release defines VERSION, TARGET
; (x86-unicode or amd64-unicode: the installer's own architecture and that of the program it
; installs; 32-bit Windows itself refuses to start the amd64 one), OUTFILE and FILES (the
; generated lists of files to install and to remove).
Target ${TARGET}
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestova"

Name "Kestova"
Caption "Kestova ${VERSION} Setup"
OutFile "${OUTFILE}"
; The program writes its settings beside itself, which a standard user cannot do in Program Files.
InstallDir "$LOCALAPPDATA\Programs\Kestova"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Kestova"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Kestova ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Kestova"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kestova.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Kestova"
  SetOutPath "$INSTDIR"
  !include "${FILES}\install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Kestova"
  CreateShortcut "$SMPROGRAMS\Kestova\Kestova.lnk" "$INSTDIR\Kestova.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kestova"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestova.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !include "${FILES}\uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Not recursive: the folder stays when "deletedkeys.reg" or a file of the user's is left in it.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Kestova\Kestova.lnk"
  RMDir "$SMPROGRAMS\Kestova"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
