; The Windows installer of the Arpeggiator MIDI effect (64-bit, built with makensis):
; Arpeggiator.dll and its help file into a folder the user chooses, the help folder recorded for
; the editor page, the DLL registered, an entry in the list of installed programs and an
; uninstaller that takes back exactly that. With /DVST3 and /DCLAP also the VST3 bundle and the
; CLAP plug-in, into the folders every VST3 and CLAP host scans (not the chosen folder: hosts
; look only there). Silent with /S; /D=FOLDER chooses the folder.
; makensis /DDLL=path\Arpeggiator.dll /DCHM=path\Arpeggiator.chm /DOUTFILE=setup.exe
;          [/DVST3=path\Arpeggiator.vst3-bundle-folder /DCLAP=path\Arpeggiator.clap] Arpeggiator.nsi
; (installer/build-installer.sh passes them).

!ifndef DLL | CHM | OUTFILE
  !error "define DLL, CHM and OUTFILE (installer/build-installer.sh does)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No compile-time date in the header: the same inputs give the same installer.
SetDateSave off

; One source of truth for the version: the DLL's own version resource.
!getdllversion "${DLL}" DLLVERSION_
!define VERSION "${DLLVERSION_1}.${DLLVERSION_2}.${DLLVERSION_3}"

!define COMPANY "Veskar Music Software"
!define PRODUCT "Veskar FX Arpeggiator"
!define SHARED_KEY "Software\${COMPANY}\Shared MIDI Plugins"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veskar FX Arpeggiator"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${COMPANY}\Shared MIDI Plugins"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${DLLVERSION_1}.${DLLVERSION_2}.${DLLVERSION_3}.${DLLVERSION_4}"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${COMPANY}"
VIAddVersionKey FileDescription "${PRODUCT} installer"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "${COMPANY}"

!include "LogicLib.nsh"
!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Arpeggiator"
  SetOutPath "$INSTDIR"
  File "${DLL}"
  File "${CHM}"
  WriteUninstaller "$INSTDIR\Uninstall Arpeggiator.exe"
!ifdef VST3
  SetOutPath "$COMMONFILES64\VST3\Arpeggiator.vst3\Contents\x86_64-win"
  File "${VST3}\Contents\x86_64-win\Arpeggiator.vst3"
!endif
!ifdef CLAP
  SetOutPath "$COMMONFILES64\CLAP"
  File "${CLAP}"
!endif
  SetOutPath "$INSTDIR"

  ; The folder every plug-in of the company reads its help file from.
  WriteRegStr HKLM "${SHARED_KEY}" "InstallDirectory" "$INSTDIR"

  ClearErrors
  RegDLL "$INSTDIR\Arpeggiator.dll"
  ${If} ${Errors}
    DetailPrint "Arpeggiator.dll could not be registered"
    SetErrorLevel 3
    Abort
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall Arpeggiator.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall Arpeggiator.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The DLL's own unregistration removes its class keys and its "MIDI Filters" entry; the
  ; "MIDI Filters" key itself stays, shared with the company's other filters.
  UnRegDLL "$INSTDIR\Arpeggiator.dll"
  Delete "$INSTDIR\Arpeggiator.dll"
  Delete "$INSTDIR\Arpeggiator.chm"
  Delete "$INSTDIR\Uninstall Arpeggiator.exe"
!ifdef VST3
  Delete "$COMMONFILES64\VST3\Arpeggiator.vst3\Contents\x86_64-win\Arpeggiator.vst3"
  RMDir "$COMMONFILES64\VST3\Arpeggiator.vst3\Contents\x86_64-win"
  RMDir "$COMMONFILES64\VST3\Arpeggiator.vst3\Contents"
  RMDir "$COMMONFILES64\VST3\Arpeggiator.vst3"
  ; The hosts' folders only when empty: other plug-ins live there too.
  RMDir "$COMMONFILES64\VST3"
!endif
!ifdef CLAP
  Delete "$COMMONFILES64\CLAP\Arpeggiator.clap"
  RMDir "$COMMONFILES64\CLAP"
!endif
  ; Only when empty: the folder may hold the company's other plug-ins.
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\${COMPANY}"

  ; The help folder is shared too: it goes only while it still names this folder, and the key
  ; only when nothing else is left in it.
  ReadRegStr $0 HKLM "${SHARED_KEY}" "InstallDirectory"
  ${If} $0 == "$INSTDIR"
    DeleteRegValue HKLM "${SHARED_KEY}" "InstallDirectory"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${SHARED_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
