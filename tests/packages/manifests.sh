#!/usr/bin/env bash
# The winget and Scoop manifests carry every field their formats require, in the form they
# require, name the files of this version and hold those files' SHA-256:
#   manifests.sh MANIFEST_DIR PACKAGE_DIR VERSION
set -euo pipefail
manifests=$1 packages=$2 version=$3

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

sha256_of() {
    local sum
    sum=$(sha256sum -- "$packages/$1") || fail "no $1 in $packages"
    printf '%s\n' "${sum%% *}"
}

# Each YAML file read once, as JSON; the queries go to jq.
work=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-manifests.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
json_of() {
    local json
    json=$work/$(basename "$1").json
    [[ -f $json ]] || yq . "$1" >"$json" 2>/dev/null || fail "$(basename "$1") is no YAML"
    printf '%s\n' "$json"
}

# query FILE FILTER: jq's answer for the manifest.
query() {
    jq -r "$2" "$(json_of "$1")"
}

# field FILE PATH: the value at PATH, failing when it is missing or null.
field() {
    local value
    value=$(query "$1" "$2 // \"\"")
    [[ -n $value ]] || fail "$(basename "$1"): $2 is missing"
    printf '%s\n' "$value"
}

# matches FILE PATH REGEX
matches() {
    local value
    value=$(field "$1" "$2")
    [[ $value =~ $3 ]] || fail "$(basename "$1"): $2 '$value' does not match $3"
}

identifier='^[^.[:space:]\\/:*?"<>|]{1,32}(\.[^.[:space:]\\/:*?"<>|]{1,32}){1,7}$'
manifest_version='^[0-9]{1,5}\.[0-9]{1,5}\.[0-9]{1,5}$'
locale='^[a-zA-Z]{2,3}(-[a-zA-Z]{1,8})*$'
url='^[Hh][Tt][Tt][Pp][Ss]?://.+$'

# winget: the three files of a multi-file manifest, in the community repository's layout.
installer_file=$(find "$manifests/winget" -name '*.installer.yaml' | head -n 1)
[[ -n $installer_file ]] || fail "no winget installer manifest in $manifests/winget"
id=$(field "$installer_file" .PackageIdentifier)
initial=${id:0:1}
folder=$manifests/winget/manifests/${initial,,}/${id//.//}/$version
[[ $installer_file == "$folder/$id.installer.yaml" ]] ||
    fail "$installer_file is not where the community repository keeps it: $folder"
version_file=$folder/$id.yaml
default_locale=$(field "$version_file" .DefaultLocale)
locale_file=$folder/$id.locale.$default_locale.yaml

# Every field the schemas require, by manifest type (version, defaultLocale, installer).
declare -A required=(
    [version]=".PackageIdentifier .PackageVersion .DefaultLocale .ManifestType .ManifestVersion"
    [defaultLocale]=".PackageIdentifier .PackageVersion .PackageLocale .Publisher .PackageName
                     .License .ShortDescription .ManifestType .ManifestVersion"
    [installer]=".PackageIdentifier .PackageVersion .Installers .ManifestType .ManifestVersion"
)
declare -A file_of=([version]=$version_file [defaultLocale]=$locale_file
    [installer]=$installer_file)
for type in version defaultLocale installer; do
    file=${file_of[$type]}
    [[ -f $file ]] || fail "no $type manifest $file"
    for path in ${required[$type]}; do
        field "$file" "$path" >/dev/null
    done
    [[ $(field "$file" .ManifestType) == "$type" ]] || fail "$(basename "$file"): ManifestType"
    matches "$file" .ManifestVersion "$manifest_version"
    [[ $(field "$file" .ManifestVersion) == $(field "$version_file" .ManifestVersion) ]] ||
        fail "$(basename "$file"): another ManifestVersion than the version file's"
    matches "$file" .PackageIdentifier "$identifier"
    [[ $(field "$file" .PackageIdentifier) == "$id" ]] || fail "$(basename "$file"): identifier"
    # A string, not a number: 1.0 and 1.00 are other versions.
    [[ $(query "$file" '.PackageVersion | type') == string ]] ||
        fail "$(basename "$file"): PackageVersion is no string"
    [[ $(field "$file" .PackageVersion) == "$version" ]] || fail "$(basename "$file"): version"
done
matches "$version_file" .DefaultLocale "$locale"
[[ $(field "$locale_file" .PackageLocale) == "$default_locale" ]] || fail "PackageLocale"
matches "$locale_file" .Publisher '^.{2,256}$'
matches "$locale_file" .PackageName '^.{2,256}$'
matches "$locale_file" .License '^.{3,512}$'
matches "$locale_file" .ShortDescription '^.{3,256}$'

# Each installer: its architecture, a URL to this version's file and that file's SHA-256.
count=$(query "$installer_file" '.Installers | length')
((count >= 1)) || fail "no installers"
for ((i = 0; i < count; i++)); do
    at=".Installers[$i]"
    matches "$installer_file" "$at.Architecture" '^(x86|x64|arm|arm64|neutral)$'
    type=$(query "$installer_file" "$at.InstallerType // .InstallerType // \"\"")
    [[ $type =~ ^(nullsoft|zip)$ ]] || fail "installer $i: InstallerType '$type'"
    matches "$installer_file" "$at.Scope" '^user$'
    matches "$installer_file" "$at.InstallerUrl" "$url"
    matches "$installer_file" "$at.InstallerSha256" '^[A-Fa-f0-9]{64}$'
    file=$(basename "$(field "$installer_file" "$at.InstallerUrl")")
    [[ $file == "Dialvane-$version-"* ]] || fail "installer $i names $file"
    sha=$(field "$installer_file" "$at.InstallerSha256")
    [[ ${sha,,} == "$(sha256_of "$file")" ]] || fail "InstallerSha256 is not that of $file"
    matches "$installer_file" "$at.UpgradeBehavior" '^(install|uninstallPrevious|deny)$'
    case $type in
        nullsoft)
            matches "$installer_file" "$at.InstallerSwitches.Silent" '^/S$'
            matches "$installer_file" "$at.InstallerSwitches.SilentWithProgress" '^/S$'
            [[ $(query "$installer_file" "$at.AppsAndFeaturesEntries[0].DisplayVersion | type") \
                == string ]] || fail "DisplayVersion is no string"
            ;;
        zip)
            matches "$installer_file" "$at.NestedInstallerType" '^portable$'
            [[ $(field "$installer_file" "$at.NestedInstallerFiles[0].RelativeFilePath") == \
                Dialvane.exe ]] || fail "the portable file is not Dialvane.exe"
            ;;
    esac
done

# Scoop: the fields of an app manifest with update checks, for the portable zip.
scoop=$manifests/scoop/dialvane.json
jq -e . "$scoop" >/dev/null || fail "$scoop is no JSON"
cp -- "$scoop" "$work/dialvane.json.json"
for key in version description homepage license url hash shortcuts checkver autoupdate; do
    field "$scoop" ".$key" >/dev/null
done
[[ $(field "$scoop" .version) == "$version" ]] || fail "scoop version"
matches "$scoop" .url "$url"
[[ $(basename "$(field "$scoop" .url)") == "Dialvane-$version-win64.zip" ]] || fail "scoop url"
[[ $(field "$scoop" .hash) == "$(sha256_of "Dialvane-$version-win64.zip")" ]] ||
    fail "the scoop hash is not that of the zip"
[[ $(jq -c .shortcuts "$scoop") == '[["Dialvane.exe","Dialvane"]]' ]] || fail "scoop shortcuts"
update=$(field "$scoop" .autoupdate.url)
[[ ${update//\$version/$version} == "$(field "$scoop" .url)" ]] ||
    fail "autoupdate URL '$update' does not give this version's URL"
printf 'manifests of %s %s: every required field; %d winget installers and the Scoop zip with their files'"'"' hashes\n' \
    "$id" "$version" "$count"
