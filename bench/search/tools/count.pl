#!/usr/bin/perl
# Counts and replaces every match of each benchmark pattern with Perl's engine.
# Usage: count.pl PATTERNS TEXT REPEATS
# Prints one line a pattern: name, count, best count ms, best replace ms (tab-separated).
# The text stays bytes, Perl's fastest way to scan it; the patterns are ASCII.
use strict;
use warnings;
use Time::HiRes qw(time);

my ($patterns_file, $text_file, $repeats) = @ARGV;
open my $text_handle, '<:raw', $text_file or die "cannot read $text_file: $!\n";
my $text = do { local $/; <$text_handle> };
close $text_handle;

open my $patterns, '<', $patterns_file or die "cannot read $patterns_file: $!\n";
while (my $line = <$patterns>) {
    chomp $line;
    next if $line =~ /^#/ || $line eq '';
    my ($name, $flags, $pattern) = split /\t/, $line, 3;
    my $regex = $flags =~ /i/ ? qr/$pattern/mi : qr/$pattern/m;
    my ($count, $count_ms, $replace_ms);
    for (1 .. $repeats) {
        my $start = time;
        my $found = 0;
        $found++ while $text =~ /$regex/g;
        my $elapsed = (time - $start) * 1000;
        $count = $found;
        $count_ms = $elapsed if !defined $count_ms || $elapsed < $count_ms;

        $start = time;
        my $replaced = $text =~ s/$regex/#/gr;
        $elapsed = (time - $start) * 1000;
        $replace_ms = $elapsed if !defined $replace_ms || $elapsed < $replace_ms;
    }
    printf "%s\t%d\t%.1f\t%.1f\n", $name, $count, $count_ms, $replace_ms;
}
