#!/usr/bin/perl
# Turns the list of targets under --to in the manual page that help2man
# writes from --help into a two-column table (one indented paragraph per
# target, its name in bold): help2man would join the lines into one
# paragraph. Edits the file named as the argument in place.
use strict;
use warnings;

my $file = shift or die "usage: $0 MANPAGE\n";
open(my $in, '<', $file) or die "$file: $!\n";
my $page = do { local $/; <$in> };
close($in);

my $row = qr/[a-z][a-z\\-]*[ ]{2,}\S[^\n]*\n/;
my $count = ($page =~ s{(write a script of TARGET \(default php\):\n)((?:$row)+)}{
    my ($lead, $rows) = ($1, $2);
    my $table = join('', map { /^(\S+)\s+(.*)$/ ? ".TP 12\n\\fB$1\\fR\n$2\n" : '' } split(/\n/, $rows));
    "$lead.RS\n.PD 0\n$table.PD\n.RE\n";
}e);
die "$file: no list of targets under --to\n" unless $count;

open(my $out, '>', $file) or die "$file: $!\n";
print $out $page;
close($out) or die "$file: $!\n";
