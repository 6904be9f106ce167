#!/bin/sh
# A GTP engine for the match tool's tests that agrees to everything and fails
# at genmove as its argument says: illegal (always E5), hang, crash or
# malformed.
while read -r command rest; do
    case "$command" in
        genmove)
            case "$1" in
                illegal) printf '= E5\n\n' ;;
                hang) sleep 30 ;;
                crash) exit 3 ;;
                malformed) printf '= hello\n\n' ;;
            esac ;;
        quit) printf '=\n\n'; exit 0 ;;
        *) printf '=\n\n' ;;
    esac
done
