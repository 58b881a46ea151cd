; The Windows installer, made by scripts/windows-package with makensis,
; which passes the version, the staged files and the names below as
; defines. Installs for the user alone (no administrator rights) under
; %LOCALAPPDATA%\Programs. /S installs silently with the defaults; /PATH
; with it also puts vantrelctl on the user's PATH.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; The name ends in -setup.exe, as people expect; the manifest that
; RequestExecutionLevel writes keeps Windows from guessing from the name.
!pragma warning disable 9000

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
!include "WinMessages.nsh"
${StrStr}
${UnStrRep}

!define PRODUCT "VANTREL Configuration"
!define PRODUCT_KEY "Software\VANTREL Configuration"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VANTREL Configuration"
!define MENU_FOLDER "$SMPROGRAMS\VANTREL"
; The readable form's file type: Windows knows a type by the last suffix
; alone, so the form has a suffix of its own; the programs still tell it by
; its content.
!define FILE_CLASS "VANTREL.Configuration"
!define TOOL_FOLDER "$INSTDIR\tool"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${PRODUCT_KEY}" "InstallDir"
Icon "${ICON}"
UninstallIcon "${ICON}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_LICENSEPAGE_TEXT_TOP "${PRODUCT} is free software under the GNU GPL, version 3 or later. It ships Qt (LGPL-3) with the libraries Qt carries, hidapi, nlohmann/json and MinGW's runtime; their licences are in the licenses folder it installs."
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantrel-config-emulated.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Try ${NAME_EMULATED}"

!insertmacro MUI_PAGE_LICENSE "${LICENSE_TEXT}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "${PRODUCT}" SectionPrograms
  SectionIn RO
  SetOutPath "$INSTDIR"
  !include "${INSTALL_FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${NAME_CONFIG}.lnk" "$INSTDIR\vantrel-config.exe" "" "$INSTDIR\vantrel-config.ico"
  CreateShortcut "${MENU_FOLDER}\${NAME_EMULATED}.lnk" "$INSTDIR\vantrel-config-emulated.exe" "" "$INSTDIR\vantrel-config.ico"
  CreateShortcut "${MENU_FOLDER}\${NAME_MONITOR}.lnk" "$INSTDIR\vantrel-monitor.exe" "" "$INSTDIR\vantrel-config.ico"
  CreateShortcut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "Software\Classes\.vantrel" "" "${FILE_CLASS}"
  WriteRegStr HKCU "Software\Classes\${FILE_CLASS}" "" "VANTREL configuration"
  WriteRegStr HKCU "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\vantrel-config.ico"
  WriteRegStr HKCU "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\vantrel-config.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\${FILE_CLASS}\shell\demo" "" "Open in the demo (emulated device)"
  WriteRegStr HKCU "Software\Classes\${FILE_CLASS}\shell\demo\command" "" '"$INSTDIR\vantrel-config-emulated.exe" "%1"'
  ; SHCNE_ASSOCCHANGED: Explorer reads the associations again.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantrel-config.ico"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Put vantrelctl on my PATH" SectionPath
  ReadRegStr $0 HKCU "Environment" "Path"
  ${StrStr} $1 "$0;" "${TOOL_FOLDER};"
  ${If} $1 == ""
    ${If} $0 == ""
      WriteRegExpandStr HKCU "Environment" "Path" "${TOOL_FOLDER}"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" "$0;${TOOL_FOLDER}"
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
SectionEnd

LangString DESC_Programs ${LANG_ENGLISH} "The three window programs, vantrelctl, the examples and the file type .vantrel."
LangString DESC_Path ${LANG_ENGLISH} "Lets a command prompt run vantrelctl from any folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} $(DESC_Programs)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPath} $(DESC_Path)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionPath} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Only what the installer put there: files the user added stay, and so
  ; does the folder that holds them.
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Made by the install if no other program had; removed only if empty.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "${MENU_FOLDER}\${NAME_CONFIG}.lnk"
  Delete "${MENU_FOLDER}\${NAME_EMULATED}.lnk"
  Delete "${MENU_FOLDER}\${NAME_MONITOR}.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  ; The PATH entry, wherever it stands in the list.
  ReadRegStr $0 HKCU "Environment" "Path"
  ${UnStrRep} $1 ";$0;" ";${TOOL_FOLDER};" ";"
  ${If} $1 != ";$0;"
    StrCpy $1 $1 "" 1
    StrCpy $1 $1 -1
    ${If} $1 == ""
      DeleteRegValue HKCU "Environment" "Path"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" "$1"
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}

  ; The suffix is ours only while it still names our file type.
  ReadRegStr $0 HKCU "Software\Classes\.vantrel" ""
  ${If} $0 == "${FILE_CLASS}"
    DeleteRegKey HKCU "Software\Classes\.vantrel"
  ${EndIf}
  DeleteRegKey HKCU "Software\Classes\${FILE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${PRODUCT_KEY}"
SectionEnd
