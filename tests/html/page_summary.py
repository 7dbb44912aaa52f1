"""Reads a report page as XML (failing on a page that is not well-formed) and prints what the
tests compare: each tree's label, its nodes' numbers, counts and text, its edge labels, any two
boxes or labels that overlap, any text below 9 px, and the names in the covariates table."""
import sys
import xml.etree.ElementTree as ET

SVG = '{http://www.w3.org/2000/svg}'
XHTML = '{http://www.w3.org/1999/xhtml}'


def rect(element):
    return [float(element.get(k)) for k in ('x', 'y', 'width', 'height')]


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def font_sizes(element, inherited):
    size = float(element.get('font-size', inherited))
    if element.tag == SVG + 'text':
        yield size
    for child in element:
        yield from font_sizes(child, size)


page = ET.parse(sys.argv[1]).getroot()
for svg in page.iter(SVG + 'svg'):
    print('tree', svg.get('data-tree'))
    boxes = []
    for g in svg.iter(SVG + 'g'):
        if g.get('data-node') is not None:
            print('node', g.get('data-node'), g.get('data-counts'))
            print('text', g.get('data-node'), ' | '.join(t.text for t in g.iter(SVG + 'text')))
            boxes.append(('node ' + g.get('data-node'), rect(g.find(SVG + 'rect'))))
        elif g.get('data-to') is not None:
            print('edge', g.get('data-from'), g.get('data-to'), g.find(SVG + 'text').text)
            boxes.append(('edge to ' + g.get('data-to'), rect(g.find(SVG + 'rect'))))
    for i, (name, box) in enumerate(boxes):
        for other, other_box in boxes[i + 1:]:
            if overlap(box, other_box):
                print('overlap', name, 'and', other)
    if min(font_sizes(svg, 0), default=9) < 9:
        print('text below 9 px')
for table in page.iter(XHTML + 'table'):
    if table.get('class') == 'covariates':
        for row in table.find(XHTML + 'tbody'):
            print('name', row[1].text)
