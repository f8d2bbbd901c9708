; The Windows installer: the install folder that cmake --install makes
; (program, Qt libraries and plugins, sounds, help), a Start-menu entry and
; an uninstaller. scripts/windows.sh runs makensis with
;   -DVERSION=<x.y> -DSTAGE=<install folder> -DOUTFILE=<setup.exe>
; 64-bit like the program: it also runs where Wine has no 32-bit part.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "Vestrada ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vestrada"
InstallDirRegKey HKCU "Software\Vestrada" "InstallDir"

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vestrada"

Section "Vestrada"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Vestrada" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vestrada"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vestrada.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  CreateDirectory "$SMPROGRAMS\Vestrada"
  CreateShortCut "$SMPROGRAMS\Vestrada\Vestrada.lnk" "$INSTDIR\vestrada.exe"
SectionEnd

; Only what the installer put there goes; the user's lists and settings
; (in the local application data folder) stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\Vestrada\Vestrada.lnk"
  RMDir "$SMPROGRAMS\Vestrada"
  Delete "$INSTDIR\uninstall.exe"
  !include "${FILELIST}"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Vestrada"
SectionEnd
