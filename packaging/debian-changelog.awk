# CHANGELOG.md in the format of a Debian changelog: each section "## <version> - <yyyy-mm-dd>"
# becomes an entry of <package> signed by <maintainer> on that date; its paragraphs and list
# items become the entry's items, line for line. Variables: package, maintainer.

function end_entry() {
    printf "\n -- %s  %s\n", maintainer, stamp
}

/^## / {
    if (version != "") {
        end_entry()
        print ""
    }
    version = $2
    cmd = "date --utc --rfc-email --date=" $4
    if ((cmd | getline stamp) <= 0 || $3 != "-") {
        print "debian-changelog: a version heading must read '## <version> - <yyyy-mm-dd>': " $0 > "/dev/stderr"
        exit 1
    }
    close(cmd)
    printf "%s (%s) unstable; urgency=medium\n\n", package, version
    new_item = 1
    next
}
version == "" { next }
/^[ \t]*$/ { new_item = 1; next }
{
    line = $0
    nested = line ~ /^ +- /
    starts_item = line ~ /^- /
    sub(/^ *(- )?/, "", line)
    if (nested)
        print "    - " line
    else if (starts_item || new_item)
        print "  * " line
    else
        print "    " line
    new_item = 0
}
END {
    if (version != "")
        end_entry()
}
