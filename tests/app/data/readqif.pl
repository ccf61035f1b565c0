#!/usr/bin/perl
# Reads a QIF file with Finance::QIF, a reader that has nothing to do with
# Tallyo, and prints what it found: one line per record, its fields
# tab-separated in this order: header, date, amount, cleared status,
# number, payee, memo, category. A field the record lacks is empty.
use strict;
use warnings;
use Finance::QIF;

my $qif = Finance::QIF->new(file => $ARGV[0], autodetect => 1);
binmode(STDOUT);
while (my $record = $qif->next()) {
    print join("\t", map { defined $record->{$_} ? $record->{$_} : '' }
                     qw(header date transaction status number payee memo category)), "\n";
}
