#!/usr/bin/perl
# Counts and replaces every match of each benchmark pattern with Perl's engine.
# Usage: count.pl PATTERNS TEXT REPEATS
# Prints one line a pattern: name, count, best count and replace CPU ms (tab-separated).
# The text stays bytes, Perl's fastest way to scan it; the patterns are ASCII.
use strict;
use warnings;
use Time::HiRes qw(clock_gettime CLOCK_PROCESS_CPUTIME_ID);

sub cpu_ms { return clock_gettime(CLOCK_PROCESS_CPUTIME_ID) * 1000; }

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
        my $start = cpu_ms();
        my $found = 0;
        $found++ while $text =~ /$regex/g;
        my $elapsed = cpu_ms() - $start;
        $count = $found;
        $count_ms = $elapsed if !defined $count_ms || $elapsed < $count_ms;

        $start = cpu_ms();
        my $replaced = $text =~ s/$regex/#/gr;
        $elapsed = cpu_ms() - $start;
        $replace_ms = $elapsed if !defined $replace_ms || $elapsed < $replace_ms;
    }
    printf "%s\t%d\t%.1f\t%.1f\n", $name, $count, $count_ms, $replace_ms;
}
