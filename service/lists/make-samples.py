#!/usr/bin/env python3
"""Builds the small sample lists that the service ships, from the published files.

  python3 make-samples.py ../../../shared/data/lists

ofac/ and un/ are extracts of the published OFAC and UN files (chosen entries, unchanged rows).
The EU publishes no file here, so eu/ is written in the EU Financial Sanctions Files XML 1.1 format
from UN 1267 entries (the EU list carries every UN Al-Qaida listing); every such entry says so in its
remark, and its logicalId ("S001"...) is ours, not an EU one.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import quoteattr, escape

OFAC_IDS = [36, 173, 306, 1572, 2674, 2675, 2676, 6365, 6366, 32391, 4234, 15431, 4106, 4107,
            9344, 11611, 15229, 15230, 15232, 15233, 15595, 16129, 7826, 7828, 12296]
UN_REFS = ['QDi.001', 'QDi.006', 'QDi.012', 'QDi.029', 'QDi.080', 'QDi.135', 'QDi.421', 'QDe.004',
           'QDe.001', 'TAi.004', 'TAi.024', 'TAe.010', 'CDi.001', 'CDi.002', 'KPi.001', 'KPe.001']
EU_FROM_UN = ['QDi.006', 'QDi.012', 'QDi.020', 'QDi.029', 'QDi.037', 'QDi.057', 'QDi.059', 'QDi.062',
              'QDi.064', 'QDi.068', 'QDi.080', 'QDi.082', 'QDi.083', 'QDi.086', 'QDi.092', 'QDi.120',
              'QDi.124', 'QDi.129', 'QDi.135', 'QDi.139', 'QDi.156', 'QDi.184', 'QDi.186', 'QDi.190',
              'QDi.203', 'QDi.228', 'QDi.229', 'QDi.244', 'QDi.247', 'QDi.261']


def ofac_extract(src, dst):
    wanted = {str(i) for i in OFAC_IDS}
    for name in ('sdn.csv', 'alt.csv', 'add.csv'):
        with open(os.path.join(src, 'ofac', name), 'rb') as f:
            rows = f.read().split(b'\r\n')
        kept = [r for r in rows if r.split(b',', 1)[0].decode() in wanted]
        with open(os.path.join(dst, 'ofac', name), 'wb') as f:
            f.write(b'\r\n'.join(kept) + b'\r\n\x1a')


def un_extract(src, dst):
    with open(os.path.join(src, 'un', 'consolidated.xml'), encoding='utf-8') as f:
        text = f.read()
    head = text[:text.index('<INDIVIDUALS>')]
    records = {}
    for tag in ('INDIVIDUAL', 'ENTITY'):
        for m in re.finditer(r'    <%s>.*?</%s>\n' % (tag, tag), text, re.S):
            ref = re.search(r'<REFERENCE_NUMBER>(.*?)</REFERENCE_NUMBER>', m.group(0)).group(1)
            records[ref] = (tag, m.group(0))
    out = [head, '  <INDIVIDUALS>\n']
    out += [records[r][1] for r in UN_REFS if records[r][0] == 'INDIVIDUAL']
    out.append('  </INDIVIDUALS>\n  <ENTITIES>\n')
    out += [records[r][1] for r in UN_REFS if records[r][0] == 'ENTITY']
    out.append('  </ENTITIES>\n</CONSOLIDATED_LIST>\n')
    with open(os.path.join(dst, 'un', 'consolidated.xml'), 'w', encoding='utf-8') as f:
        f.write(''.join(out))


def attrs(**kw):
    return ' '.join('%s=%s' % (k, quoteattr(v or '')) for k, v in kw.items())


def eu_entry(ind, n):
    ref = ind.findtext('REFERENCE_NUMBER')
    names = [ind.findtext(t) or '' for t in ('FIRST_NAME', 'SECOND_NAME', 'THIRD_NAME', 'FOURTH_NAME')]
    whole = ' '.join(x.strip() for x in names if x and x.strip())
    lines = ['  <sanctionEntity %s>' % attrs(designationDetails='', unitedNationId=ref, euReferenceNumber='',
                                               logicalId='S%03d' % n)]
    lines.append('    <remark>%s</remark>' % escape(
        'Sample entry written from the UN consolidated list (%s); not an extract of the EU file.' % ref))
    lines.append('    <regulation %s/>' % attrs(regulationType='regulation', organisationType='council',
                                                  publicationDate='2002-05-29', entryIntoForceDate='2002-05-30',
                                                  numberTitle='881/2002 (OJ L139)', programme='TAQA',
                                                  logicalId=''))
    lines.append('    <subjectType code="person" classificationCode="P"/>')
    gender = {'Male': 'M', 'Female': 'F'}.get(ind.findtext('GENDER') or '', '')
    lines.append('    <nameAlias %s/>' % attrs(firstName=names[0].strip(), middleName='',
                                                 lastName=' '.join(x.strip() for x in names[1:] if x),
                                                 wholeName=whole, function='', gender=gender, title='',
                                                 nameLanguage='', strong='true', regulationLanguage='en',
                                                 logicalId=''))
    for a in ind.findall('INDIVIDUAL_ALIAS'):
        name = (a.findtext('ALIAS_NAME') or '').strip()
        if name:
            strong = 'false' if a.findtext('QUALITY') == 'Low' else 'true'
            lines.append('    <nameAlias %s/>' % attrs(firstName='', middleName='', lastName='', wholeName=name,
                                                         function='', gender=gender, title='', nameLanguage='',
                                                         strong=strong, regulationLanguage='en', logicalId=''))
    for d in ind.findall('INDIVIDUAL_DOCUMENT'):
        number = (d.findtext('NUMBER') or '').strip()
        if not number:
            continue
        kind = d.findtext('TYPE_OF_DOCUMENT') or ''
        code = 'passport' if 'Passport' in kind else 'id'
        lines.append('    <identification %s/>' % attrs(diplomatic='false', knownExpired='false', knownFalse='false',
                                                          reportedLost='false', revokedByIssuer='false', issuedBy='',
                                                          latinNumber='', nameOnDocument='', number=number, region='',
                                                          countryIso2Code='',
                                                          countryDescription=d.findtext('ISSUING_COUNTRY') or '',
                                                          identificationTypeCode=code,
                                                          identificationTypeDescription=kind,
                                                          regulationLanguage='en', logicalId=''))
    for b in ind.findall('INDIVIDUAL_DATE_OF_BIRTH'):
        date = b.findtext('DATE') or ''
        year = b.findtext('YEAR') or date[:4]
        if not year:
            continue
        pob = ind.find('INDIVIDUAL_PLACE_OF_BIRTH')
        lines.append('    <birthdate %s/>' % attrs(circa='true' if b.findtext('TYPE_OF_DATE') == 'APPROXIMATELY' else 'false',
                                                     calendarType='GREGORIAN',
                                                     city=(pob.findtext('CITY') if pob is not None else '') or '',
                                                     zipCode='', birthdate=date, year=year, region='', place='',
                                                     countryIso2Code='',
                                                     countryDescription=(pob.findtext('COUNTRY') if pob is not None else '') or '',
                                                     regulationLanguage='en', logicalId=''))
    for nat in ind.findall('NATIONALITY/VALUE'):
        lines.append('    <citizenship %s/>' % attrs(region='', countryIso2Code='', countryDescription=nat.text,
                                                       regulationLanguage='en', logicalId=''))
    for a in ind.findall('INDIVIDUAL_ADDRESS'):
        parts = {t: (a.findtext(t) or '').strip() for t in ('STREET', 'CITY', 'STATE_PROVINCE', 'COUNTRY')}
        if any(parts.values()):
            lines.append('    <address %s/>' % attrs(city=parts['CITY'], street=parts['STREET'], poBox='', zipCode='',
                                                       region=parts['STATE_PROVINCE'], place='',
                                                       asAtListingTime='false', contactInfo='', countryIso2Code='',
                                                       countryDescription=parts['COUNTRY'], regulationLanguage='en',
                                                       logicalId=''))
    lines.append('  </sanctionEntity>')
    return '\n'.join(lines)


def eu_sample(src, dst):
    root = ET.parse(os.path.join(src, 'un', 'consolidated.xml')).getroot()
    by_ref = {i.findtext('REFERENCE_NUMBER'): i for i in root.iter('INDIVIDUAL')}
    date = root.get('dateGenerated')[:10]
    body = [eu_entry(by_ref[r], n) for n, r in enumerate(EU_FROM_UN, 1)]
    text = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<export xmlns="http://eu.europa.ec/fpi/fsd/export" generationDate="%sT10:00:00.000+01:00" '
            'globalFileId="sample">\n%s\n</export>\n' % (date, '\n'.join(body)))
    with open(os.path.join(dst, 'eu', 'sample-fsf.xml'), 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    source = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    ofac_extract(source, here)
    un_extract(source, here)
    eu_sample(source, here)
