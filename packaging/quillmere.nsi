; The Windows installer of one architecture, made by make-package.sh:
;
;   makensis -DVERSION=1.09 -DARCH=win64 -DPROGRAM=quillmere64.exe
;            -DFILES=<stage>/files.nsh -DOUTFILE=<setup.exe> quillmere.nsi
;
; A per-user install, no elevation: into the user's local programs folder,
; where the program's own data files beside it stay writable. The user's
; data files (settings, wash items, plug-ins, the log) survive an upgrade and
; an uninstall; the uninstaller removes them only when asked (its components
; page, or /REMOVEDATA on its command line).

Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "FileFunc.nsh"
!include "LogicLib.nsh"
; InstallPackageFiles and RemovePackageFiles: the files of the package,
; listed by make-package.sh from what it staged.
!include "${FILES}"

!define PRODUCT "Quillmere"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
; The class of the program's main window: present while it runs.
!define WINDOW_CLASS "TFormMainQLMR"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup (${ARCH})"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage components
UninstPage instfiles

; Files cannot be replaced or removed while the program runs: say so and
; stop, with a failure code, rather than leave a half-done folder.
!macro RefuseWhileRunning
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is running. Close it, then try again." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro RefuseWhileRunning
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetShellVarContext current
  ; An earlier installation's program files go first (its own uninstaller,
  ; which keeps the user's data files); the user's files are never touched.
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ClearErrors
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
      DetailPrint "The earlier installation could not be removed (code $0)."
      SetErrorLevel 4
      Abort
    ${EndIf}
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}

  SetOverwrite on
  ClearErrors
  !insertmacro InstallPackageFiles
  ${If} ${Errors}
    SetErrorLevel 4
    Abort "Some files could not be written."
  ${EndIf}
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.${PRODUCT}"
  SectionIn RO
  SetShellVarContext current
  !insertmacro RemovePackageFiles
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

; The files the program itself writes beside it, kept unless asked.
Section /o "un.Your settings, wash items, plug-ins and log" SecUserData
  Delete "$INSTDIR\order.ini"
  Delete "$INSTDIR\wildcard.ini"
  Delete "$INSTDIR\const\user.txt"
  RMDir /r "$INSTDIR\plugin"
  Delete "$INSTDIR\left.htm"
  Delete "$INSTDIR\right.htm"
  ; Left by a save that was cut short.
  Delete "$INSTDIR\~quill-*.tmp"
  Delete "$INSTDIR\const\~quill-*.tmp"
SectionEnd

; Folders go only when nothing else is left in them; the entry in the
; list of installed programs goes last.
Section "-un.Folders"
  RMDir "$INSTDIR\const"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro RefuseWhileRunning
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecUserData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
