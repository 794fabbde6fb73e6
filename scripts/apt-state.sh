# Sourced: a private apt state under build/ that reads only a list of the
# project's own, so that fetching a package or a source never touches the
# system's apt configuration, lists or cache.
#   system_mirror           prints the URI the system's sources take Debian 12
#                           (bookworm) from; the repository names no mirror
#   private_apt DIR LINE    fills the array apt_opts with options for a state
#                           in DIR whose one source is LINE (amd64 only)

system_mirror() {
  local uri
  # The codename comes from the Release file, whatever name the entry uses.
  uri=$(LC_ALL=C apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' \
    'Codename: bookworm' 'Label: Debian' 2>/dev/null | head -n1)
  [[ -n $uri ]] || uri=$(LC_ALL=C apt-get indextargets --no-release-info --format '$(REPO_URI)' \
    'Created-By: Packages' 'Release: bookworm' 2>/dev/null | head -n1)
  [[ -n $uri ]] || return 1
  echo "${uri%/}"
}

private_apt() {
  local dir=$1 line=$2
  mkdir -p "$dir/lists/partial" "$dir/parts" "$dir/preferences.d" "$dir/cache/archives/partial"
  echo "$line" >"$dir/sources.list"
  apt_opts=(-o Dir::Etc::SourceList="$dir/sources.list"
            -o Dir::Etc::SourceParts="$dir/parts"
            -o Dir::Etc::Preferences="$dir/preferences"
            -o Dir::Etc::PreferencesParts="$dir/preferences.d"
            -o Dir::State::Lists="$dir/lists"
            -o Dir::Cache="$dir/cache"
            -o APT::Architecture=amd64 -o APT::Architectures=amd64)
  # Root's apt drops to the _apt user for downloads, who cannot write here.
  [[ $(id -u) -ne 0 ]] || apt_opts+=(-o APT::Sandbox::User=root)
}
