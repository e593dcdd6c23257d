#!/usr/bin/env bash
# Fetches Debian's source package of the installed libjpeg-turbo release into
# WORK/src through a private sources list in WORK/apt: the machine's apt
# configuration is never changed. apt checks the files against the archive's
# signed index, as for any package; nothing unsigned is accepted.
# usage: jpeg-source.sh WORK
set -euo pipefail
work=$1
apt_dir=$work/apt
read -r package version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' libjpeg62-turbo-dev)

# The machine's Debian suites (its mirror included) as source entries; before
# its package lists exist, the release's suites on Debian's own mirror.
debian_suites() {
  apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Created-By: Packages' 'Origin: Debian' 2>/dev/null | sort -u
}
suites=$(debian_suites)
if [ -z "$suites" ]; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  suites="http://deb.debian.org/debian/ $codename main
http://deb.debian.org/debian/ $codename-updates main
http://deb.debian.org/debian-security/ $codename-security main"
fi

rm -rf "$apt_dir" "$work/src"
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$work/download"
while read -r uri suite component; do
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite $component"
done <<<"$suites" >"$apt_dir/sources.list"

options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o Acquire::Languages=none -o Acquire::AllowInsecureRepositories=false
  -o Acquire::AllowDowngradeToInsecureRepositories=false)
# Root's downloads would otherwise run as _apt, which cannot write here.
[ "$(id -u)" -ne 0 ] || options+=(-o APT::Sandbox::User=root)

apt-get "${options[@]}" -q update
cd "$work/download"
apt-get "${options[@]}" -q --only-source source "$package=$version"
# The unpacked tree is the one folder beside the downloaded files.
mv "$(find "$work/download" -mindepth 1 -maxdepth 1 -type d)" "$work/src"
rm -rf "$work/download"
