; The Windows installer, made on Linux by scripts/package-windows.sh:
;   makensis -DVERSION=1.0.0 -DFILES=<the Windows build's install> -DOUTFILE=<setup.exe>
; The CLAP module and the VST3 bundle go where hosts look for them, the VST 2.4
; module into a folder the user chooses (there is no standard one), the
; command into the program folder with a Start-menu entry for its help.
; Administrators install and uninstall silently with /S; /VSTDIR=<folder>
; chooses the VST 2.4 folder then.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmorin"
!define START_MENU "$SMPROGRAMS\Velmorin"

Name "Velmorin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmorin"
BrandingText "Velmorin ${VERSION}"

Var VstDir

!insertmacro MUI_PAGE_LICENSE "${FILES}/share/doc/velmorin/copyright"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "VST 2.4 plug-in folder"
!define MUI_PAGE_HEADER_SUBTEXT "Where your VST 2.4 host looks for plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install Velmorin.dll into this folder. Choose the folder your host scans for VST 2.4 plug-ins."
!define MUI_DIRECTORYPAGE_VARIABLE $VstDir
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipVstFolderUnlessChosen
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

Section "velmorin command" SectionCommand
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}/bin/velmorin.exe"
  File "/oname=LICENSE.txt" "${FILES}/share/doc/velmorin/copyright"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; A console that shows the command's help and stays open for the next one.
  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\velmorin command help.lnk" "$SYSDIR\cmd.exe" \
    '/k "cd /d "$DOCUMENTS" && "$INSTDIR\velmorin.exe" --help"' "$INSTDIR\velmorin.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmorin ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Velmorin authors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "CLAP plug-in" SectionClap
  SetOutPath "$COMMONFILES64\CLAP"
  File "${FILES}/lib/clap/Velmorin.clap"
SectionEnd

; The VST3 bundle, in the builds that make one.
!if /FileExists "${FILES}/lib/vst3"
Section "VST3 plug-in" SectionVst3
  SetOutPath "$COMMONFILES64\VST3"
  File /r "${FILES}/lib/vst3/*"
SectionEnd
!endif

Section "VST 2.4 plug-in" SectionVst2
  SetOutPath "$VstDir"
  File "${FILES}/lib/vst/Velmorin.dll"
  ; The uninstaller removes it from there, and the next install offers it.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "VstPluginFolder" "$VstDir"
SectionEnd

; The size Windows' list of programs shows, once every section has run.
Section "-size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
  SetShellVarContext all
  SetRegView 64
  StrCpy $VstDir "$PROGRAMFILES64\VSTPlugins"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "VstPluginFolder"
  StrCmp $0 "" +2
  StrCpy $VstDir $0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/VSTDIR=" $1
  IfErrors +2
  StrCpy $VstDir $1
FunctionEnd

Function SkipVstFolderUnlessChosen
  SectionGetFlags ${SectionVst2} $0
  IntOp $0 $0 & ${SF_SELECTED}
  StrCmp $0 0 0 +2
  Abort
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Uninstall"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "VstPluginFolder"
  StrCmp $0 "" +3
  Delete "$0\Velmorin.dll"
  RMDir "$0"
  Delete "$COMMONFILES64\CLAP\Velmorin.clap"
  RMDir "$COMMONFILES64\CLAP"
!if /FileExists "${FILES}/lib/vst3"
  RMDir /r "$COMMONFILES64\VST3\Velmorin.vst3"
  RMDir "$COMMONFILES64\VST3"
!endif
  Delete "${START_MENU}\velmorin command help.lnk"
  RMDir "${START_MENU}"
  Delete "$INSTDIR\velmorin.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
