#!/usr/bin/env bash
# The winget and Scoop manifests of the packages in PACKAGE_DIR, each with the SHA-256 of the
# file it names (the signed file, once the release is signed):
#   write-manifests.sh SETTINGS PACKAGE_DIR OUT_DIR
# OUT_DIR/winget/manifests/… is laid out as in the winget community repository,
# OUT_DIR/scoop/dialvane.json goes into a Scoop bucket.
set -euo pipefail
settings=$1 packages=$2 out=$3
# shellcheck source=/dev/null
source "$settings"
zip_name=Dialvane-$VERSION-win64.zip
setup_name=Dialvane-$VERSION-setup.exe
download=$HOMEPAGE/releases/download/v$VERSION
manifest_version=1.10.0

sha256() {
    local sum
    sum=$(sha256sum -- "$packages/$1")
    printf '%s\n' "${sum%% *}"
}
zip_sha256=$(sha256 "$zip_name")
setup_sha256=$(sha256 "$setup_name")

# A YAML scalar that stays a string: "1.0" would be a number, "C: " a key.
quote() {
    printf "'%s'" "${1//\'/\'\'}"
}

schema() {
    # shellcheck disable=SC2016  # $schema is the YAML comment's own word
    printf '# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n' \
        "$1" "$manifest_version"
}

vendor=${PACKAGE_ID%%.*}
initial=${vendor:0:1}
winget=$out/winget/manifests/${initial,,}/$vendor/${PACKAGE_ID#*.}/$VERSION
rm -rf -- "$out/winget" "$out/scoop"
mkdir -p -- "$winget" "$out/scoop"

{
    schema version
    cat <<YAML
PackageIdentifier: $PACKAGE_ID
PackageVersion: $(quote "$VERSION")
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $manifest_version
YAML
} >"$winget/$PACKAGE_ID.yaml"

{
    schema defaultLocale
    cat <<YAML
PackageIdentifier: $PACKAGE_ID
PackageVersion: $(quote "$VERSION")
PackageLocale: en-US
Publisher: $(quote "$PUBLISHER")
PublisherUrl: $HOMEPAGE
PackageName: Dialvane
PackageUrl: $HOMEPAGE
License: $LICENSE_NAME
LicenseUrl: $HOMEPAGE/blob/v$VERSION/LICENSE
ShortDescription: $(quote "$DESCRIPTION")
Moniker: dialvane
Tags:
- gauge
- memory
- disk
ManifestType: defaultLocale
ManifestVersion: $manifest_version
YAML
} >"$winget/$PACKAGE_ID.locale.en-US.yaml"

# The installer's "Apps & features" entry is the key Uninstall\Dialvane under HKCU: its name
# is the product code winget matches, its values the rest. An update installs over the old one.
{
    schema installer
    cat <<YAML
PackageIdentifier: $PACKAGE_ID
PackageVersion: $(quote "$VERSION")
Platform:
- Windows.Desktop
ReleaseDate: $(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
Installers:
- Architecture: x64
  InstallerType: nullsoft
  Scope: user
  InstallerUrl: $download/$setup_name
  InstallerSha256: ${setup_sha256^^}
  InstallModes:
  - interactive
  - silent
  - silentWithProgress
  InstallerSwitches:
    Silent: /S
    SilentWithProgress: /S
    InstallLocation: /D=<INSTALLPATH>
  UpgradeBehavior: install
  ProductCode: Dialvane
  AppsAndFeaturesEntries:
  - DisplayName: Dialvane
    Publisher: $(quote "$PUBLISHER")
    DisplayVersion: $(quote "$VERSION")
    ProductCode: Dialvane
- Architecture: x64
  InstallerType: zip
  NestedInstallerType: portable
  NestedInstallerFiles:
  - RelativeFilePath: Dialvane.exe
    PortableCommandAlias: dialvane
  Scope: user
  InstallerUrl: $download/$zip_name
  InstallerSha256: ${zip_sha256^^}
  UpgradeBehavior: install
ManifestType: installer
ManifestVersion: $manifest_version
YAML
} >"$winget/$PACKAGE_ID.installer.yaml"

# Scoop starts the gauge through its shortcut in apps\dialvane\current, the junction to the
# version in use; the gauge's autostart value names the folder it was started from, so it
# survives an update.
jq -n --arg version "$VERSION" --arg description "$DESCRIPTION" --arg homepage "$HOMEPAGE" \
    --arg license "$LICENSE_NAME" --arg url "$download/$zip_name" --arg hash "$zip_sha256" \
    --arg update "$HOMEPAGE/releases/download/v\$version/Dialvane-\$version-win64.zip" '{
        version: $version,
        description: $description,
        homepage: $homepage,
        license: $license,
        url: $url,
        hash: $hash,
        shortcuts: [["Dialvane.exe", "Dialvane"]],
        checkver: "github",
        autoupdate: {url: $update}
    }' >"$out/scoop/dialvane.json"
