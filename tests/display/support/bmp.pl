#!/usr/bin/perl
# Small BMP tools for the display tests, which may not rely on an image toolkit:
#   bmp.pl solid WIDTH HEIGHT RRGGBB FILE   writes a 24-bit BMP of one colour
#   bmp.pl colours FILE FIRST_ROW LAST_ROW  prints the distinct colours of those rows (top row 0),
#                                           one "RRGGBB COUNT" line each
#   bmp.pl box FILE RRGGBB                  prints "LEFT TOP RIGHT BOTTOM COUNT" of the pixels of
#                                           that colour (their bounds, inclusive), or "none"
use strict;
use warnings;

sub solid {
  my ($w, $h, $hex, $file) = @_;
  my ($r, $g, $b) = map { hex } unpack('(A2)3', $hex);
  my $stride = ($w * 3 + 3) & ~3;
  my $row = (pack('C3', $b, $g, $r) x $w) . ("\0" x ($stride - $w * 3));
  my $size = 54 + $stride * $h;
  open(my $out, '>:raw', $file) or die "$file: $!";
  print $out pack('A2 V v v V V l l v v V V l l V V', 'BM', $size, 0, 0, 54, 40, $w, $h, 1, 24, 0,
                  $stride * $h, 2835, 2835, 0, 0);
  print $out $row x $h;
  close($out);
}

# Calls $visit->(x, y, "RRGGBB") for every pixel of rows $first to $last (top row 0, the last
# row when $last is undefined).
sub each_pixel {
  my ($file, $first, $last, $visit) = @_;
  open(my $in, '<:raw', $file) or die "$file: $!";
  local $/;
  my $data = <$in>;
  my ($offset) = unpack('V', substr($data, 10, 4));
  my ($w, $h, $planes, $bpp) = unpack('l l v v', substr($data, 18, 12));
  die "$file: $bpp bits per pixel\n" unless $bpp == 24 || $bpp == 32;
  my $bottomUp = $h > 0;
  $h = abs($h);
  $last //= $h - 1;
  my $bytes = $bpp / 8;
  my $stride = ($w * $bytes + 3) & ~3;
  for my $y ($first .. $last) {
    my $stored = $bottomUp ? $h - 1 - $y : $y;
    for my $x (0 .. $w - 1) {
      my ($b, $g, $r) = unpack('C3', substr($data, $offset + $stored * $stride + $x * $bytes, 3));
      $visit->($x, $y, sprintf('%02X%02X%02X', $r, $g, $b));
    }
  }
}

sub colours {
  my ($file, $first, $last) = @_;
  my %count;
  each_pixel($file, $first, $last, sub { $count{$_[2]}++ });
  print "$_ $count{$_}\n" for sort keys %count;
}

sub box {
  my ($file, $colour) = @_;
  my ($left, $top, $right, $bottom, $count);
  each_pixel($file, 0, undef, sub {
    my ($x, $y, $c) = @_;
    return unless $c eq uc $colour;
    $left = $x if !defined $left || $x < $left;
    $right = $x if !defined $right || $x > $right;
    $top //= $y;
    $bottom = $y;
    $count++;
  });
  print defined $count ? "$left $top $right $bottom $count\n" : "none\n";
}

my $command = shift @ARGV // '';
if ($command eq 'solid') { solid(@ARGV) }
elsif ($command eq 'colours') { colours(@ARGV) }
elsif ($command eq 'box') { box(@ARGV) }
else { die "usage: $0 solid W H RRGGBB FILE | colours FILE FIRST_ROW LAST_ROW | box FILE RRGGBB\n" }
