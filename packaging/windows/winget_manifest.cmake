# Writes the winget manifest of this version (version, installer and default-locale files) for
# the installer and the portable zip, with the SHA-256 of both as built.
# cmake -DVERSION= -DPRODUCT= -DPUBLISHER= -DDESCRIPTION= -DINSTALLER= -DZIP= -DOUT= -P this
foreach(file INSTALLER ZIP)
    if(NOT EXISTS "${${file}}")
        message(FATAL_ERROR "${${file}} is missing: the manifest names its hash")
    endif()
    file(SHA256 "${${file}}" ${file}_SHA)
    string(TOUPPER "${${file}_SHA}" ${file}_SHA)
    get_filename_component(${file}_NAME "${${file}}" NAME)
endforeach()
string(REGEX REPLACE "\\.zip$" "" zip_folder "${ZIP_NAME}")
set(id "OrlanVesty.${PRODUCT}")
set(url "https://www.orlanvesty.example/download")
set(schema "ManifestVersion: 1.6.0")
file(MAKE_DIRECTORY "${OUT}")

file(WRITE "${OUT}/${id}.yaml" "PackageIdentifier: ${id}
PackageVersion: ${VERSION}
DefaultLocale: en-US
ManifestType: version
${schema}
")

file(WRITE "${OUT}/${id}.installer.yaml" "PackageIdentifier: ${id}
PackageVersion: ${VERSION}
MinimumOSVersion: 10.0.0.0
Installers:
  - Architecture: x64
    InstallerType: nullsoft
    Scope: user
    InstallerUrl: ${url}/${INSTALLER_NAME}
    InstallerSha256: ${INSTALLER_SHA}
  - Architecture: x64
    InstallerType: nullsoft
    Scope: machine
    InstallerSwitches:
      Custom: /AllUsers
    InstallerUrl: ${url}/${INSTALLER_NAME}
    InstallerSha256: ${INSTALLER_SHA}
  - Architecture: x64
    InstallerType: zip
    NestedInstallerType: portable
    NestedInstallerFiles:
      - RelativeFilePath: ${zip_folder}\\dewmoth.exe
        PortableCommandAlias: dewmoth
    InstallerUrl: ${url}/${ZIP_NAME}
    InstallerSha256: ${ZIP_SHA}
ManifestType: installer
${schema}
")

file(WRITE "${OUT}/${id}.locale.en-US.yaml" "PackageIdentifier: ${id}
PackageVersion: ${VERSION}
PackageLocale: en-US
Publisher: ${PUBLISHER}
PublisherUrl: https://www.orlanvesty.example
PackageName: ${PRODUCT}
PackageUrl: https://www.orlanvesty.example
License: Proprietary (may be used and passed on unchanged)
ShortDescription: ${DESCRIPTION}
Moniker: dewmoth
ManifestType: defaultLocale
${schema}
")
message(STATUS "winget manifest in ${OUT}")
