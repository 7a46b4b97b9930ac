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

# Each file read once, as JSON; the queries go to jq.
work=$(mktemp -d "${TMPDIR:-/tmp}/dialvane-manifests.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
query() {
    local json
    json=$work/$(basename "$1").json
    [[ -f $json ]] || yq . "$1" >"$json" 2>/dev/null || fail "$(basename "$1") is no YAML"
    jq -r "$2" "$json"
}

# field FILE PATH: the value at PATH, failing when it is missing or null.
field() {
    local value
    value=$(query "$1" "$2 // \"\"")
    [[ -n $value ]] || fail "$(basename "$1"): $2 is missing"
    printf '%s\n' "$value"
}

# matches FILE PATH REGEX / is FILE PATH VALUE
matches() {
    local value
    value=$(field "$1" "$2")
    [[ $value =~ $3 ]] || fail "$(basename "$1"): $2 '$value' does not match $3"
}
is() {
    local value
    value=$(field "$1" "$2")
    [[ $value == "$3" ]] || fail "$(basename "$1"): $2 is '$value', not '$3'"
}

identifier='^[^.[:space:]\\/:*?"<>|]{1,32}(\.[^.[:space:]\\/:*?"<>|]{1,32}){1,7}$'
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
matches "$version_file" .ManifestVersion '^[0-9]{1,5}\.[0-9]{1,5}\.[0-9]{1,5}$'
matches "$version_file" .PackageIdentifier "$identifier"

# The fields every type has; then each type's own.
declare -A file_of=([version]=$version_file [defaultLocale]=$locale_file
    [installer]=$installer_file)
for type in version defaultLocale installer; do
    file=${file_of[$type]}
    [[ -f $file ]] || fail "no $type manifest $file"
    is "$file" .ManifestType "$type"
    is "$file" .ManifestVersion "$(field "$version_file" .ManifestVersion)"
    is "$file" .PackageIdentifier "$id"
    # A string, not a number: 1.0 and 1.00 are other versions.
    is "$file" '.PackageVersion | strings' "$version"
done
matches "$version_file" .DefaultLocale '^[a-zA-Z]{2,3}(-[a-zA-Z]{1,8})*$'
is "$locale_file" .PackageLocale "$default_locale"
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
    is "$installer_file" "$at.Scope" user
    matches "$installer_file" "$at.InstallerUrl" "$url"
    file=$(basename "$(field "$installer_file" "$at.InstallerUrl")")
    [[ $file == "Dialvane-$version-"* ]] || fail "installer $i names $file"
    is "$installer_file" "$at.InstallerSha256 | ascii_downcase" "$(sha256_of "$file")"
    matches "$installer_file" "$at.UpgradeBehavior" '^(install|uninstallPrevious|deny)$'
    case $type in
        nullsoft)
            is "$installer_file" "$at.InstallerSwitches.Silent" /S
            is "$installer_file" "$at.InstallerSwitches.SilentWithProgress" /S
            field "$installer_file" "$at.AppsAndFeaturesEntries[0].DisplayVersion | strings" >/dev/null
            ;;
        zip)
            is "$installer_file" "$at.NestedInstallerType" portable
            is "$installer_file" "$at.NestedInstallerFiles[0].RelativeFilePath" Dialvane.exe
            ;;
    esac
done

# Scoop: the fields of an app manifest with update checks, for the portable zip.
scoop=$manifests/scoop/dialvane.json
jq -e . "$scoop" >/dev/null || fail "$scoop is no JSON"
for key in description homepage license checkver; do
    field "$scoop" ".$key" >/dev/null
done
is "$scoop" .version "$version"
matches "$scoop" .url "$url"
is "$scoop" '.url | split("/") | last' "Dialvane-$version-win64.zip"
is "$scoop" .hash "$(sha256_of "Dialvane-$version-win64.zip")"
is "$scoop" '.shortcuts | tojson' '[["Dialvane.exe","Dialvane"]]'
# Any later version's URL, not only this one's.
# shellcheck disable=SC2016  # Scoop's $version, not the shell's
is "$scoop" '.autoupdate.url | split("$version") | join("9.8")' \
    "$(query "$scoop" ".url | split(\"$version\") | join(\"9.8\")")"
printf 'manifests of %s %s: every required field; %d winget installers and the Scoop zip with their files'"'"' hashes\n' \
    "$id" "$version" "$count"
